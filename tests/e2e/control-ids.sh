#!/bin/bash
# control-ids.sh [RESOURCE.H]: setup's resource ids as shell assignments
# (IDC_DEST_DIR=1005, ...), read from setup/resources/resource.h, so that the
# end-to-end scripts name each control as the code does. lib.sh sources
# what this prints.
header=${1:-$(dirname "${BASH_SOURCE[0]}")/../../setup/resources/resource.h}
sed -nE 's/^#define (ID[A-Z0-9_]+) +([0-9]+)$/\1=\2/p' "$header"
