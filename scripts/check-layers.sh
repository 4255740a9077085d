#!/usr/bin/env bash
# Checks that includes point one way through the whole tree.
#   Between the layers: the data core (src/core) <- preview <- app; a command line (src/cli)
#   sits beside the window and uses the data core only; app/main.cpp alone may use both.
#   Inside the data core, one folder per concern, each allowed the folders listed for it below.
#   Inside src/app: commands may use window, dialogs and widgets; window may use dialogs and
#   widgets; dialogs may use widgets; widgets use none of them.
#   The data core never includes widgets or OpenGL.
set -uo pipefail
cd "$(dirname "$0")/../src"

# What each folder may include besides itself.
declare -A allowed=(
  [core/bytes]=""
  [core/location]="core/bytes"
  [core/tables]="core/bytes"
  [core/backup]="core/bytes"
  [core/archive]="core/bytes core/tables"
  [core/images]="core/bytes core/tables"
  [core/ownfiles]="core/bytes core/tables core/archive"
  [core/values]="core/bytes core/tables core/archive core/ownfiles"
  [core/transfer]="core/bytes core/location core/tables core/backup core/archive core/images"
  [preview]="core/bytes core/tables core/archive core/images"
  [app]="core/bytes core/location core/tables core/backup core/archive core/images core/ownfiles core/values core/transfer preview"
  # The program's entry point chooses between the window and the command line.
  [main]="app cli"
  [cli]="core/bytes core/location core/tables core/backup core/archive core/images core/ownfiles core/values core/transfer"
)
# The folder (a key above) of a file or include path.
layer_of() {
  case $1 in app/main.cpp) echo main;; core/*) local rest=${1#core/}; echo "core/${rest%%/*}";; *) echo "${1%%/*}";; esac
}
app_rank() { case $1 in widgets) echo 1;; dialogs) echo 2;; window) echo 3;; commands) echo 4;; *) echo 0;; esac; }

bad=0
while IFS= read -r f; do
  from=$(layer_of "$f")
  if [ -z "${allowed[$from]+set}" ]; then echo "$f: folder $from is not in scripts/check-layers.sh"; bad=1; continue; fi
  for inc in $(grep -o '^#include "[a-z]*/[^"]*"' "$f" | sed 's|#include "||;s|"||'); do
    to=$(layer_of "$inc")
    [ "$to" = "$from" ] && continue
    case " ${allowed[$from]} " in *" $to "*) ;; *) echo "$f includes $inc"; bad=1;; esac
  done
  case $from in core/*)
    if grep -qE '^#include <(QtWidgets|QtOpenGL|QOpenGL|QWidget|QApplication|GL/)' "$f"; then
      echo "$f: the data core includes widgets or OpenGL"; bad=1
    fi;;
  esac
  case $f in app/widgets/*|app/dialogs/*|app/window/*|app/commands/*)
    sub=${f#app/}; sub=${sub%%/*}
    for inc in $(grep -o '^#include "app/[a-z]*/' "$f" | sed 's|#include "app/||;s|/||'); do
      if [ "$(app_rank "$inc")" -gt "$(app_rank "$sub")" ]; then echo "$f includes app/$inc"; bad=1; fi
    done;;
  esac
done < <(find core preview app cli -name '*.cpp' -o -name '*.h' 2>/dev/null)
exit $bad
