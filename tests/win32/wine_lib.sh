# Shared by the Wine end-to-end scripts, sourced after ../e2e/e2e_lib.sh.

# end_wine PREFIX: ends the Wine session of PREFIX and waits until it has gone.
end_wine() {
  WINEPREFIX=$1 wineserver -k 2>/dev/null || true
  WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}

# A system dialog is on the screen: a visible window of the program's other than its own and
# Wine's input helper. Its id is left in `chooser`.
dialog_shown() {
  local id name
  for id in $(xdo search --onlyvisible --class 'quillmere' 2>/dev/null); do
    name=$(xdo getwindowname "$id" 2>/dev/null) || continue
    case $name in Quillmere | "Default IME" | "") continue ;; esac
    chooser=$id
    return 0
  done
  return 1
}
