#!/usr/bin/env bash
# Domain code sees QtCore only; store code no widgets. Prints each offending include.
set -u
src=${1:?source folder}
bad=0
while IFS= read -r f; do
  if grep -nE '#include *[<"](Qt(Widgets|Sql|Gui|Network)/|Q(Widget|Sql[A-Za-z]*|Application|Dialog|Label|Painter|Printer)\b)' "$f"; then
    echo "^ $f: a domain file may include QtCore only"; bad=1
  fi
  if grep -nE '#include *[<"][a-z]+/(store|ui)/' "$f"; then
    echo "^ $f: a domain file may not include store or ui code"; bad=1
  fi
done < <(find "$src" -path '*/domain/*' -name '*.[ch]*'; find "$src/app/core" -name '*.[ch]*')
while IFS= read -r f; do
  if grep -nE '#include *[<"](QtWidgets/|Q(Widget|Application|Dialog|Label)\b)|[a-z]+/ui/' "$f"; then
    echo "^ $f: store code may not include windows"; bad=1
  fi
done < <(find "$src" \( -path '*/store/*' -o -path '*/app/db/*' \) -name '*.[ch]*')
exit $bad
