s/^Due=.*/Due=(the press + 5 min)\r/
