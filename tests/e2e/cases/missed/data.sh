# shellcheck shell=bash
printf '%s\n' "[SETTINGS]" "WinX=100" "WinY=60" "WinW=900" "WinH=500" "WinS=0" "Tray=0" "WinMax=0" \
  "SMin=0" "Ln0=33" "Ln1=230" "Ln2=260" "Ln3=220" "Ln4=160" "TasksN=3" "LastOD=" "Snooze=10" \
  "SnoozeN=0" "Seen=2024-05-12 08:00:00"
e2e_task 0 Mon=5 Day=11 Tex=Зарядка PrevY=2024 PrevM=5 PrevD=11 PrevH=9
e2e_task 1 Mon=5 Day=11 Tex=Пауза Stat=2 PrevY=2024 PrevM=5 PrevD=11 PrevH=9
e2e_task 2 Mod=7 Ssec=36000 Mon=5 Day=5 "Tex=Резервная копия" NM=0 Ex=1 'FN=C:\nothing\backup.bat' \
  PrevY=2024 PrevM=5 PrevD=5 PrevH=10
