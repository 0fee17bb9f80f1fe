# The program's facts the scripts need, read from its headers so they are written once:
# the command ids (CMD_EXIT and the others), the card's window class, the settings key,
# the Run key and the autostart value's name. Sourced with QUILLANE_ROOT set.
program_fact() {  # header, name: the string or number a "#define NAME ..." row gives
  sed -n -E "s/^#define $2 \"?([^\"]*)\"?\$/\1/p" "$QUILLANE_ROOT/$1" | sed 's/\\\\/\\/g'
}
eval "$(sed -n -E 's/^#define (CMD_[A-Z_]+) ([0-9]+)$/\1=\2/p' "$QUILLANE_ROOT/resources/resource_ids.h")"
WINDOW_CLASS=$(program_fact resources/resource_ids.h QUILLANE_WINDOW_CLASS)
SETTINGS_KEY="Software\\$(program_fact settings/settings_store.h SETTINGS_VENDOR)\\$(program_fact settings/settings_store.h SETTINGS_PRODUCT)"
RUN_KEY=$(program_fact settings/autostart.h RUN_KEY_PATH)
AUTOSTART_VALUE=$(program_fact settings/autostart.h AUTOSTART_VALUE_NAME)
