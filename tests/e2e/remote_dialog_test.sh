#!/usr/bin/env bash
# 远程计时 from the tray menu and the keyboard alone, with the real Quorrin.exe: the box
# ticked and a port typed, Enter saves [Remote] (Enabled, Port and two usable keys) and
# closes, and the server answers its view link on 127.0.0.1; opened again it shows links with
# that port and the saved keys, 复制 puts the link on the clipboard, 新链接 writes two new
# keys at once and shows them, and the old view link stops working; a port out of range is
# refused with a message and saves nothing; Esc closes it.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kDialogClass=Quorrin.RemoteDialog
# The rows' controls: 开启远程计时, the port's caption and field, then the first address's
# view caption, link and 复制.
readonly kEnabledId=1401 kPortId=1403 kViewLinkId=1405 kViewCopyId=1406
readonly kMessageSeconds=10
readonly kPort=9317  # typed into the port field

text_of() { wininfo text "$dialog" | awk -F'\t' -v id="$1" '$1 == id { print $3; exit }'; }
id_of() { wininfo text "$dialog" | awk -F'\t' -v t="$1" '$3 == t { print $1; exit }'; }
usable_key() { [[ "$1" =~ ^[A-Za-z0-9_-]{22,}$ ]]; }
keys_usable() { usable_key "$(saved Remote ViewKey)" && usable_key "$(saved Remote ControlKey)"; }
link_is() {  # link_is PORT KEY: the first view link shows the port and the key
    local link
    link=$(text_of $kViewLinkId)
    [[ "$link" =~ ^http://[0-9.]+:$1/v/$2$ ]] || { echo "     the link is \"$link\""; return 1; }
}
# page_status KEY: the HTTP status of the view page for KEY on this computer (000: no answer).
page_status() { curl -s -m 5 -o /dev/null -w '%{http_code}' "http://127.0.0.1:$kPort/v/$1"; }
page_is() { [ "$(page_status "$1")" = "$2" ]; }
clipboard_is() { [ "$(wininfo clipboard)" = "$1" ]; }
message=
message_up() { message=$(first_window --class '#32770' --visible); }
message_gone() { ! first_window --class '#32770' --visible >/dev/null; }

new_app remote
write_settings
launch

echo "--- turned on, a port typed and Enter"
check "the dialog opens from the menu" open_dialog $kTimekeeperItem $kDialogClass
check "the focus starts on 开启远程计时" wait_until 5 focus_is $kEnabledId
press space
check "Tab reaches the port" tab_to $kPortId
# shellcheck disable=SC2046  # one key per digit
press End BackSpace BackSpace BackSpace BackSpace $(grep -o . <<<"$kPort")
check "the links follow the port typed" wait_until 5 link_is $kPort '[A-Za-z0-9_-]{22}'
press Return
check "Enter saves Enabled=True" wait_until 10 saved_is Remote Enabled True
check "and Port=$kPort" saved_is Remote Port $kPort
check "with two usable keys" keys_usable
check "that differ" saved_is_not Remote ViewKey "$(saved Remote ControlKey)"
check "and closes the dialog" wait_until 10 dialog_gone
check "the server answers the view link on port $kPort" wait_until 10 page_is "$(saved Remote ViewKey)" 200

echo "--- the links, 复制 and 新链接"
view_key=$(saved Remote ViewKey) control_key=$(saved Remote ControlKey)
check "the dialog opens again" open_dialog $kTimekeeperItem $kDialogClass
check "its link has the saved port and view key" wait_until 5 link_is $kPort "$view_key"
check "复制 is reached with Tab" tab_to $kViewCopyId
press space
check "and puts the link on the clipboard" wait_until 5 clipboard_is "$(text_of $kViewLinkId)"
new_links_id=$(id_of 新链接)
check "新链接 is reached with Tab" tab_to "$new_links_id"
press space
check "and writes a new view key" wait_until 10 saved_is_not Remote ViewKey "$view_key"
check "and a new control key at once" saved_is_not Remote ControlKey "$control_key"
check "both usable" keys_usable
check "the link shows the new key" wait_until 5 link_is $kPort "$(saved Remote ViewKey)"
check "the new view link works at once" wait_until 10 page_is "$(saved Remote ViewKey)" 200
old_page_refused() { [ "$(page_status "$view_key")" != 200 ]; }
check "and the old one no longer does" old_page_refused

echo "--- a port out of range, then Esc"
cp "$app/Config.ini" "$work/before.ini"
check "the port is reached with Tab" tab_to $kPortId
press End BackSpace BackSpace BackSpace BackSpace 7 0 0 0 0 Return
check "Enter with port 70000 shows a message" wait_until $kMessageSeconds message_up
echo "     it says: $(message_text "$message")"
wininfo command "$message" 1 >/dev/null
check "which goes with OK" wait_until $kMessageSeconds message_gone
check "the dialog stays open" dialog_open
check "and nothing is saved" cmp -s "$app/Config.ini" "$work/before.ini"
press Escape
check "Esc closes it" wait_until 10 dialog_gone
check "and Config.ini is as it was" cmp -s "$app/Config.ini" "$work/before.ini"
quit

report_checks
