#!/bin/sh
# The compiler launcher of every product source: runs the compile as it is given (through
# ccache when the build uses it), then keeps beside the object, as <object>.read, the list of
# every file the compile read: its dependency file, which ninja deletes once it has taken it
# in. The include check of the source's target reads it (include_rules_target.cmake), so
# the check sees what the compiler saw, with its own flags and forced includes, at the cost
# of one copy.
"$@" || exit
object=
depfile=
while [ $# -gt 0 ]; do
    case $1 in
        -o) object=$2; shift ;;
        -MF) depfile=$2; shift ;;
    esac
    shift
done
if [ -z "$object" ] || [ -z "$depfile" ]; then
    echo "include check: a compile without an object (-o) or a dependency file (-MF): $*" >&2
    exit 1
fi
cp -- "$depfile" "$object.read"
