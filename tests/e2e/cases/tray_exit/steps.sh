# shellcheck shell=bash
# The tray: the toggle hides the window and brings it back; the menu opens at the cursor over
# the icon; its "Выход" ends the program, which writes Data.ini once on the way out.
wait_visible() {  # <0|1>
  for _ in $(seq 50); do
    driver window | grep -Fxq $'visible\t'"$1" && return 0
    sleep 0.1
  done
  return 1
}
driver post 0x8004 0 515 || e2e_fail "cannot post the toggle"
if wait_visible 0; then echo "ok: the toggle hid the window"; else e2e_fail "the toggle did not hide the window"; fi
e2e_screenshot "$NAME-hidden"
driver post 0x8004 0 515 || e2e_fail "cannot post the toggle"
if wait_visible 1; then echo "ok: the toggle brought the window back"; else e2e_fail "the window did not come back"; fi

# The right button over the icon: the menu opens with its bottom-right corner at the cursor.
xdotool mousemove 1012 758 2>/dev/null
driver post 0x8004 1 517 || e2e_fail "cannot post the right button"
sleep 0.7
e2e_screenshot "$NAME-menu"
# Down three times passes the separator: "Добавить задание", "Свернуть", "Выход".
driver menu-keys 3000 0x28 0x28 0x28 0x0D || e2e_fail "cannot choose in the tray menu"
if e2e_wait_exit 10000; then
  echo "ok: \"Выход\" ended the program"
  E2E_EXITED=1
else
  e2e_fail "the program did not end after \"Выход\""
fi
