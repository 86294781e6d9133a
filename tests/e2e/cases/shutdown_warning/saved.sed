s/^PrevS=[0-9]*\r$/PrevS=(the second of the pass)\r/
