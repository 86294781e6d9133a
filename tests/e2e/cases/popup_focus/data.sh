# shellcheck shell=bash
printf '%s\n' "[SETTINGS]" "WinX=100" "WinY=60" "WinW=700" "WinH=400" "WinS=0" "Tray=1" "WinMax=0" \
  "SMin=0" "Ln0=33" "Ln1=230" "Ln2=210" "Ln3=130" "Ln4=107" "TasksN=1" "LastOD="
e2e_task 0 Mod=10 Year=2030 Mon=12 Day=12 "Tex=Оплатить интернет{SOH}до обеда"
