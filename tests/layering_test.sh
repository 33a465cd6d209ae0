#!/usr/bin/env bash
# Every quoted #include points down the layers:
#   convert <- settings <- shape <- core <- macro <- app/cli, app/gui;  settings <- update <- app/gui
# A layer's tests may use what the layer may, plus the shared test support. Inside app/gui the
# folders are layers too, with the main window (main/) on top. Prints each include that points
# up or sideways and fails if there is one.
#   tests/layering_test.sh SOURCE-ROOT
set -u
cd "${1:-$(dirname "$0")/..}" || exit 2

declare -A allowed=(
    [convert]="convert"
    [settings]="settings convert"
    [shape]="shape settings convert"
    [core]="core shape settings convert"
    [macro]="macro core shape settings convert"
    [update]="update settings convert"
    [app/cli]="app/cli macro core shape settings convert"
    [app/gui]="app/gui update macro core shape settings convert"
)
# Folders outside the layers and the layer whose view they get.
declare -A tests_of=(
    [tests/convert]=convert [tests/settings]=settings [tests/shape]=shape [tests/core]=core
    [tests/macro]=macro [tests/update]=update [tests/cli]=app/cli [tests/gui]=app/gui
    [tests/support]=core [fuzz]=app/cli [bench]=app/cli [bench/gui]=app/gui
)
# Subfolders checked as folders of their own, not with the folder around them.
declare -A own_subfolder=([bench]=gui)

# The layer folder an include path names ("core/commands/x.h" -> core).
layer_of() {
    case $1 in
        app/cli/*) echo app/cli ;;
        app/gui/*) echo app/gui ;;
        tests/*) echo "tests/$(cut -d/ -f2 <<<"$1")" ;;
        *) echo "${1%%/*}" ;;
    esac
}

bad=0
check() {  # FOLDER LAYER-VIEW EXTRA-ALLOWED...
    local folder=$1 view=$2
    shift 2
    local ok=" ${allowed[$view]} $* "
    while IFS=: read -r file line text; do
        local path=${text#*\"}
        path=${path%%\"*}
        [[ $path == */* ]] || continue  # a system or same-folder header
        local target
        target=$(layer_of "$path")
        if [[ $ok != *" $target "* ]]; then
            echo "$file:$line: includes \"$path\": $folder may not use $target"
            bad=1
        fi
    done < <(grep -rnE '^\s*#\s*include\s*"' "$folder" --include='*.h' --include='*.cpp' \
                 ${own_subfolder[$folder]:+--exclude-dir=${own_subfolder[$folder]}} 2>/dev/null)
}

# The folders of app/gui and the others of app/gui each may use. The main window installs the
# parts below it; they get what they need of it passed in and never include main/ themselves.
declare -A gui_allowed=(
    [common]=""
    [help]="common"
    [view]="common"
    [printing]="common"
    [progress]="common"
    [update]="common"
    [dialogs]="common preview"
    [preview]="common dialogs"  # the dialogs show previews made of dialog fields
    [review]="common dialogs preview"
    [customize]="common dialogs main"  # still reaches into the main window's menus and keys
    [main]="common help view printing progress update dialogs preview review customize"
    [screenshot]="common dialogs main preview view"  # a program of its own that shows the window
)

check_gui_folders() {
    local folder sub
    for folder in app/gui/*/; do
        sub=$(basename "$folder")
        if [[ ! -v gui_allowed[$sub] ]]; then
            echo "app/gui/$sub: a new folder of the desktop program; say in tests/layering_test.sh what it may use"
            bad=1
            continue
        fi
        local ok=" $sub ${gui_allowed[$sub]} "
        while IFS=: read -r file line text; do
            local path=${text#*\"}
            path=${path%%\"*}
            local target=${path#app/gui/}
            target=${target%%/*}
            if [[ $ok != *" $target "* ]]; then
                echo "$file:$line: includes \"$path\": app/gui/$sub may not use app/gui/$target"
                bad=1
            fi
        done < <(grep -rnE '^\s*#\s*include\s*"app/gui/' "$folder" --include='*.h' --include='*.cpp')
    done
}

for layer in "${!allowed[@]}"; do
    [[ -d $layer ]] && check "$layer" "$layer"
done
for folder in "${!tests_of[@]}"; do
    [[ -d $folder ]] || continue
    extra="tests/support $folder"
    [[ $folder == fuzz ]] && extra="$extra update tests/shape tests/convert"
    [[ $folder == tests/gui ]] && extra="$extra tests/support tests/macro"
    [[ $folder == bench/gui ]] && extra="$extra bench"  # the benchmarks' documents
    check "$folder" "${tests_of[$folder]}" $extra
done
[[ -d app/gui ]] && check_gui_folders

if [[ $bad != 0 ]]; then
    echo "Includes must point down: convert <- settings <- shape <- core <- macro <- app/cli, app/gui; settings <- update <- app/gui; inside app/gui as the table in tests/layering_test.sh says."
    exit 1
fi
echo "every include points down the layers"
