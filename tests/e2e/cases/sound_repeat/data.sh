# shellcheck shell=bash
printf '%s\n' "[SETTINGS]" "WinX=100" "WinY=60" "WinW=700" "WinH=500" "WinS=0" "Tray=0" "WinMax=0" \
  "SMin=0" "Ln0=33" "Ln1=230" "Ln2=210" "Ln3=130" "Ln4=107" "TasksN=1" "LastOD=" "Snooze=10" \
  "SnoozeN=0"
e2e_task 0 Mod=10 Ssec=39600 Mon=5 Day=15 Tex=Гонг Snd=1 'SndF={WORK}\gong.wav' Rpt=1
