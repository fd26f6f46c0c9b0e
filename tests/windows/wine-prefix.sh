# Sourced by the Wine tests: a work folder under /tmp with a fresh Wine
# prefix in it, and on exit Wine's server stopped, the processes named in
# `background_pids` ended and the folder removed.
#   . wine-prefix.sh NAME      (the folder is /tmp/pagerbench-NAME.XXXXXX)
work=$(mktemp -d "/tmp/pagerbench-$1.XXXXXX")
export WINEPREFIX=$work/prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
background_pids=()
wine_prefix_cleanup() {
  local pid
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
  for pid in "${background_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap wine_prefix_cleanup EXIT
