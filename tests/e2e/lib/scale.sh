# Sourced by the end-to-end scripts that run a program at a display scale: the prefix's DPI, a
# 96-DPI coordinate at that DPI, size checks and the test for a picture blown up from 100 %.
# The sourcing script defines fail (tests/e2e/lib/e2e.sh does).

# The display's DPI: the prefix's LogPixels, 96 unless set_dpi chose another.
dpi=96
# scale_into NAME V: a 96-DPI coordinate at the display's DPI, halves rounded up as the programs
# round it, into the variable NAME (no subshell: tests compare many rectangles).
scale_into() { printf -v "$1" '%d' $((($2 * dpi + 48) / 96)); }
# scaled V: the same, printed.
scaled() {
    local value
    scale_into value "$1"
    echo "$value"
}
# scaled_rect_into NAME X Y W H: "x,y,w,h" of a 96-DPI rectangle at the display's DPI into NAME.
# A rectangle scales edge by edge, so its size is the difference of its scaled edges.
scaled_rect_into() {
    local left top right bottom
    scale_into left "$2"
    scale_into top "$3"
    scale_into right $(($2 + $4))
    scale_into bottom $(($3 + $5))
    printf -v "$1" '%d,%d,%d,%d' "$left" "$top" $((right - left)) $((bottom - top))
}
# set_dpi DPI: the prefix's display scale for the programs started from now on.
set_dpi() {
    dpi=$1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
}
# expect_scaled_size W H ACTUAL_W ACTUAL_H WHAT: a window of W x H 96-DPI pixels is exactly as
# large as the display's scale makes it.
expect_scaled_size() {
    [ "$3 $4" = "$(scaled "$1") $(scaled "$2")" ] ||
        fail "$dpi DPI: $5 is $3 x $4, not $(scaled "$1") x $(scaled "$2")"
}
# undoubled_pixels FILE: the pixels that differ from the picture made by keeping one pixel of
# each 2 x 2 block and doubling it; none for a 100 % picture blown up to 200 %.
undoubled_pixels() {
    convert "$1" -sample 50% -sample 200% "$1.doubled.png" &&
        compare -metric AE "$1" "$1.doubled.png" null: 2>&1 | cut -d' ' -f1
    rm -f "$1.doubled.png"
}
