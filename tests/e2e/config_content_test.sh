#!/usr/bin/env bash
# Config.ini as people and other programs leave it, read by the real Quorrin.exe under Wine:
# times typed with full-width colons, the file saved as UTF-16 ("Unicode", which it stays) or
# UTF-8 by an editor, the file deleted while a countdown runs, and a file without [Style]. In each case
# the settings and the presentation list are kept, and no reset message is shown.
set -uo pipefail
# shellcheck source=app_session.sh
. "$QUORRIN_SOURCE/tests/e2e/app_session.sh"

readonly kListedTitle="PowerPoint 幻灯片放映 - 年度总结.pptx"
readonly kStepMaxSeconds=3
readonly kSlackSeconds=2  # steps a busy machine may count before the first look at the clock
# A clock of 240 x 90 px at the top right of the 1280 x 800 work area (showPos=1).
readonly kWidthTwips=3600
readonly kHeightTwips=1350
readonly kWideClockRect="1040 0 1280 90"
# The default style: 3000 x 1200 twips, 200 x 80 px, top right, opaque, green background.
readonly kDefaultClockRect="1080 0 1280 80"
readonly kDefaultBackground="0,204,51"  # bgBackColor 3394560 = 0x33CC00, red in the low byte
readonly kBackgroundProbe="1085,40"     # left of the time label, inside the rounded corners
readonly kNormalKeys="timeMode EndWarning ReSetTime SameMode timeCnt timeWarning flush close file timeFree SoundFile endSoundFile"
readonly kStyleKeys="Width Height BackColor Alpha Top Left showPos numFontName numFontSize numForeColor numHeight numWidth numLeft numTop bgHeight bgWidth bgLeft bgTop bgBackColor Screens"
readonly kListKeys="pptFiles timeCnt1 timeWarning1 flush1 close1 file1 timeFree1 timeCnt2 timeWarning2 flush2 close2 file2 timeFree2"

# Two presentations: "talk" of 15 minutes and "年度总结" of 20.
readonly kList="pptFiles=2
timeCnt1=00:15:00
timeWarning1=00:01:00
flush1=True
close1=False
file1=talk
timeFree1=00:00:00
timeCnt2=00:20:00
timeWarning2=00:02:00
flush2=True
close2=False
file2=年度总结
timeFree2=00:00:00"

no_message_box() { ! first_window --class '#32770' --title Quorrin >/dev/null; }
is_at() {  # is_at HANDLE "LEFT TOP RIGHT BOTTOM"
    local rect
    rect=$(window_rect "$1")
    [ "$rect" = "$2" ] || { echo "     it is at $rect"; return 1; }
}
# The keys of [SECTION] in the file (GBK or UTF-16), in their order, on one line.
keys_of() {
    ini_text "$app/Config.ini" | tr -d '\r' | awk -v s="[$1]" '
        /^\[/ { inside = ($0 == s); next }
        inside && /=/ { sub(/=.*/, ""); print }' | paste -sd ' '
}
keys_are() {  # keys_are SECTION "KEYS..."
    local keys
    keys=$(keys_of "$1")
    [ "$keys" = "$2" ] || { echo "     [$1] holds: $keys"; return 1; }
}
saved_below() { [[ "$(saved "$1" "$2")" < "$3" ]]; }
mm_ss_seconds() { echo $((10#${1%%:*} * 60 + 10#${1##*:})); }
# clock_started_at MM:SS: the freshly shown clock counts from MM:SS; a look at it that comes a
# step or two late under load still sees the count that started there.
clock_started_at() {
    wait_until $kShowFoundSeconds main_label_set || return 1
    local shown expected
    shown=$(mm_ss_seconds "$label")
    expected=$(mm_ss_seconds "$1")
    if [ "$shown" -gt "$expected" ] || [ "$shown" -lt $((expected - kSlackSeconds)) ]; then
        echo "     it shows $label"
        return 1
    fi
}
# saved_counting_from SECTION KEY START LOWEST: the count saved under the key has left START
# and is not below LOWEST (HH:MM:SS texts).
saved_counting_from() {
    local value
    value=$(saved "$1" "$2") || return 1
    [[ "$value" < "$3" ]] && [[ ! "$value" < "$4" ]]
}
is_gbk_not_utf8() {
    iconv -f GBK -t UTF-8 "$1" >/dev/null 2>&1 && ! iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1
}
# recode TO [MARK]: rewrites $app/Config.ini (GBK) in another encoding, after the bytes MARK.
recode() {
    local text
    text=$(mktemp "$work/recode.XXXXXX")
    iconv -f GBK -t "$1" "$app/Config.ini" >"$text"
    { printf '%b' "${2:-}"; cat "$text"; } >"$app/Config.ini"
    rm -f "$text"
}
pixel_at() {  # pixel_at PNG X,Y: "R,G,B"
    convert "$1" -format "%[fx:int(255*p{$2}.r)],%[fx:int(255*p{$2}.g)],%[fx:int(255*p{$2}.b)]" info:
}
# A listed show: the clocks start at its duration, with no message before them.
starts_listed_show() {  # starts_listed_show NAME TITLE MM:SS
    start_show "$work/$1.closed" "$2"
    check "$1: the clock starts at $3" clock_started_at "$3"
    check "$1: no reset message" no_message_box
}

echo "--- times typed with full-width colons (00：25：00) keep their value"
new_app fullwidth
timeCnt="00：25：00" pptFiles="${kList/timeCnt1=00:15:00/timeCnt1=00：15：00}" write_settings
launch
check "no reset message" no_message_box
starts_listed_show fullwidth "$kShowTitle" 25:00
check "[Normal] timeCnt is kept as it was typed" saved_is Normal timeCnt "00：25：00"
check "the presentation list is kept" keys_are PPTFiles "$kListKeys"
check "timeCnt1 is kept as it was typed" saved_is PPTFiles timeCnt1 "00：15：00"
end_show
quit

echo "--- a file saved as Unicode (UTF-16 LE with its mark)"
new_app utf16
SameMode=False Width=$kWidthTwips Height=$kHeightTwips pptFiles=$kList write_settings
recode UTF-16LE '\xff\xfe'
launch
starts_listed_show utf16 "$kShowTitle" 15:00
check "utf16: its style is read (a 240 x 90 px clock)" is_at "$main" "$kWideClockRect"
check "utf16: the count is saved in timeFree1" \
    wait_until $kStepMaxSeconds saved_counting_from PPTFiles timeFree1 00:15:00 00:14:50
check "utf16: the file stays UTF-16 LE with its mark" [ "$(ini_bom "$app/Config.ini")" = fffe ]
check "utf16: [Normal] keeps its keys" keys_are Normal "$kNormalKeys"
check "utf16: [Style] keeps its keys" keys_are Style "${kStyleKeys% Screens}"
check "utf16: [PPTFiles] keeps its keys" keys_are PPTFiles "$kListKeys"
check "utf16: the default sound is still the default sound" saved_is Normal SoundFile 默认声音
check "utf16: file2 is still 年度总结" saved_is PPTFiles file2 年度总结
check "utf16: Width is still $kWidthTwips" saved_is Style Width $kWidthTwips
end_show
quit

echo "--- a file saved as UTF-8 without a mark, a Chinese presentation name in it"
new_app utf8
SameMode=False Width=$kWidthTwips Height=$kHeightTwips pptFiles=$kList write_settings
recode UTF-8
check "utf8: the input file is UTF-8" iconv -f UTF-8 -t UTF-8 "$app/Config.ini" -o /dev/null
launch
starts_listed_show utf8 "$kListedTitle" 20:00
check "utf8: its style is read (a 240 x 90 px clock)" is_at "$main" "$kWideClockRect"
check "utf8: the count is saved in timeFree2" \
    wait_until $kStepMaxSeconds saved_counting_from PPTFiles timeFree2 00:20:00 00:19:50
check "utf8: the file is GBK now" is_gbk_not_utf8 "$app/Config.ini"
check "utf8: the default sound is still the default sound" saved_is Normal SoundFile 默认声音
check "utf8: [PPTFiles] keeps its keys" keys_are PPTFiles "$kListKeys"
end_show
quit

echo "--- Config.ini deleted while a countdown runs"
new_app deleted
SameMode=False pptFiles=$kList write_settings
launch
start_show "$work/deleted.closed" "$kListedTitle"
check "the clock starts at 20:00" clock_started_at 20:00
check "the count is saved in timeFree2" \
    wait_until $kStepMaxSeconds saved_counting_from PPTFiles timeFree2 00:20:00 00:19:50
before=$(saved PPTFiles timeFree2)
rm -f "$app/Config.ini"
check "the next second writes Config.ini again" wait_until $kStepMaxSeconds test -s "$app/Config.ini"
check "with every [Normal] key in order" keys_are Normal "$kNormalKeys"
check "with every [Style] key in order" keys_are Style "$kStyleKeys"
check "with the whole list in order" keys_are PPTFiles "$kListKeys"
check "the list's values are kept" saved_is PPTFiles file2 年度总结
check "the list's durations are kept" saved_is PPTFiles timeCnt1 00:15:00
check "SameMode is kept" saved_is Normal SameMode False
check "the count goes on in timeFree2" \
    wait_until $kStepMaxSeconds saved_below PPTFiles timeFree2 "$before"
end_show
quit
launch
check "restarted: no reset message" no_message_box
starts_listed_show restarted "$kListedTitle" 20:00
end_show
# As a presenter does, the next show starts once the clock has gone with the last one: a show
# that takes the place of another between two detection passes counts on as the same show.
check "restarted: the clock goes with the show" wait_until $kShowFoundSeconds clocks_are 0
start_show "$work/restarted-talk.closed" "$kShowTitle"
check "restarted: the other listed show counts from 15:00" \
    wait_until $((kShowFoundSeconds + kStepMaxSeconds)) \
    saved_counting_from PPTFiles timeFree1 00:15:00 00:14:50
saved_counting_from PPTFiles timeFree1 00:15:00 00:14:50 ||
    echo "     (timeFree1=$(saved PPTFiles timeFree1), timeFree2=$(saved PPTFiles timeFree2)," \
        "clock $(child_text "$main" "$kLabelClass"); $(wininfo list --visible | cut -f 11 | tr '\n' ' '))"
end_show
quit

echo "--- no [Style] section: the default clock"
new_app nostyle
timeMode=1 write_settings
LC_ALL=C sed -i '/^\[Style\]/,/^bgBackColor=/d' "$app/Config.ini"
cp "$app/Config.ini" "$work/nostyle.ini"
check "the input file has no [Style]" test -z "$(keys_of Style)"
# The show first, Quorrin second: under Wine without a window manager, a show window that
# appears just as the clock goes up can end up above it on the X server, although Windows'
# order has the topmost clock on top (which only a screenshot would notice).
start_show "$work/nostyle.closed" "$kShowTitle"
show_up() { first_window --class "$kShowClass" --visible >/dev/null; }
check "the show is up" wait_until $kShowFoundSeconds show_up
launch
check "no reset message" no_message_box
check "the clock comes up over the show" wait_until $kShowFoundSeconds clocks_are 1
check "they show 10:00" wait_until $kStepMaxSeconds clocks_show 10:00
check "the clock is 200 x 80 px at the top right" is_at "$main" "$kDefaultClockRect"
check "so is its copy" is_at "$copy" "$kDefaultClockRect"
shot="${QUORRIN_SCREENSHOT:-$work/nostyle.png}"
# The clock may be shown a moment before its first paint reaches the screen.
background_is_default() {
    import -window root -display "$DISPLAY" "$shot"
    background=$(pixel_at "$shot" "$kBackgroundProbe")
    [ "$background" = "$kDefaultBackground" ]
}
check "its background is opaque green" wait_until $kStepMaxSeconds background_is_default
if [ "$background" != "$kDefaultBackground" ]; then
    echo "     (last seen $background; clock alpha $(wininfo alpha "$main" | tr '\t' ' '))"
    [ -z "${QUORRIN_FAILED_SHOT:-}" ] || cp "$shot" "$QUORRIN_FAILED_SHOT"
fi
check "Config.ini is left as it was" cmp -s "$app/Config.ini" "$work/nostyle.ini"
end_show
quit

report_checks
