# Sourced by the scripts that run Windows programs under Wine: finds wine64 and wineserver
# ($wine, $wineserver; empty when Wine is not installed) and gives use_wine_prefix, which
# makes (once) and selects a prefix of our own with Wine's prompts and debug output off.
wine=$(command -v wine64 || true)
[[ -z $wine && -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64
wineserver=$(command -v wineserver || true)
[[ -z $wineserver && -x /usr/lib/wine/wineserver ]] && wineserver=/usr/lib/wine/wineserver

# use_wine_prefix DIR: the prefix in DIR/wineprefix.
use_wine_prefix() {
  export WINEPREFIX=$1/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$1"
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wineserver" -w
  fi
}

# A path of this machine as Windows programs under Wine see it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
