s/^PrevS=[0-9]*\r$/PrevS=(the second of the pass)\r/
s/^Seen=2024-05-15 12:0[0-9]:[0-5][0-9]\r$/Seen=2024-05-15 (the last pass, minutes after the start)\r/
