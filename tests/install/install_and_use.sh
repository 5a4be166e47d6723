#!/usr/bin/env bash
# Installs a build into a private prefix, checks what landed there, then builds the C++ example
# (examples/write_drawing.cpp) against the installed tree twice, once with find_package(Scrivane)
# and once with pkg-config on a plain compiler command line, and runs both builds and the
# installed command. Each must write a PostScript drawing byte for byte equal to what the same
# program built in the build tree writes (TOOL and EXAMPLE). For shared libraries it also checks
# their sonames and that they export nothing but the public interface.
#
#   install_and_use.sh BUILD SOURCE WORK LIBDIR CXX PKG_CONFIG static|shared TOOL EXAMPLE \
#                      [CONSUMER_FLAGS]
set -euo pipefail
build=$1 source=$2 work=$3 libdir=$4 cxx=$5 pkg_config=$6 kind=$7 tool=$8 example=$9
flags=${10:-}
prefix=$work/prefix
major_minor=$(sed -nE 's/^project\(Scrivane VERSION ([0-9]+\.[0-9]+).*/\1/p' "$source/CMakeLists.txt")

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
step() { echo "== $*"; }

# A PostScript drawing that starts as one and equals the drawing made in the build tree.
check_drawing() {
    local file=$1 expected=$2
    [ -s "$file" ] || fail "$file was not written or is empty"
    head -c 11 "$file" | grep -q '^%!PS-Adobe-' || fail "$file does not start with %!PS-Adobe-"
    cmp "$file" "$expected" || fail "$file differs from $expected, written in the build tree"
}

rm -rf "$work"
mkdir -p "$work"

step "install into $prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
for f in bin/scrivane share/doc/scrivane/README.md \
    "$libdir/cmake/Scrivane/ScrivaneConfig.cmake" \
    "$libdir/cmake/Scrivane/ScrivaneConfigVersion.cmake" \
    "$libdir/cmake/Scrivane/ScrivaneTargets.cmake" "$libdir/pkgconfig/scrivane.pc"; do
    [ -f "$prefix/$f" ] || fail "$f not installed"
done
[ -f "$prefix/share/man/man1/scrivane.1" ] || fail "manual page not installed"
for dir in include/scrivane host/include/scene platform/gdi/include/scrivane_gdi; do
    installed=include/$(basename "$dir")
    diff <(cd "$source/$dir" && find . -name '*.h' | sort) \
        <(cd "$prefix/$installed" && find . -type f | sort) >/dev/null ||
        fail "$installed does not hold exactly the public headers of $dir"
done
suffix=a
[ "$kind" = shared ] && suffix=so
for lib in scrivane scrivane_gdi scrivane_scene; do
    [ -e "$prefix/$libdir/lib$lib.$suffix" ] || fail "lib$lib.$suffix not installed"
done
grep -qx "prefix=$prefix" "$prefix/$libdir/pkgconfig/scrivane.pc" ||
    fail "scrivane.pc does not name the prefix it was installed into"

if [ "$kind" = shared ]; then
    step "shared libraries: sonames and exported symbols"
    # The names the public headers export: classes marked for export, functions of the GDI
    # layer, and the comparison operators declared as exported friends.
    allowed=$work/public-names.txt
    {
        grep -rhoE '(class|struct) (SCENE_API|SCRIVANE_API) [A-Za-z0-9_]+' "$prefix/include" |
            awk '{print $3}'
        grep -rhoE 'SCRIVANE_GDI_API [A-Za-z_]+ \*?[A-Za-z0-9_]+\(' "$prefix/include" |
            sed -E 's/.* \*?([A-Za-z0-9_]+)\($/\1/'
        grep -rhoE 'friend (SCENE_API|SCRIVANE_API) [a-z]+ operator[^(]+' "$prefix/include" |
            awk '{print $4}'
        # Standard-library templates instantiated for public types are exported with them.
        echo std
        echo __gnu_cxx
    } | sort -u >"$allowed"
    for lib in scrivane scrivane_gdi scrivane_scene; do
        so=$prefix/$libdir/lib$lib.so
        soname=$(objdump -p "$so" | awk '/SONAME/ {print $2}')
        [ "$soname" = "lib$lib.so.$major_minor" ] || fail "lib$lib.so has soname '$soname'"
        nm -D --defined-only -C "$so" | cut -d' ' -f3- |
            sed -E 's/^(typeinfo name for|typeinfo for|vtable for|VTT for|guard variable for|non-virtual thunk to|virtual thunk to) //' |
            sed -E 's/^[a-z_ ]+ (std::|__gnu_cxx::)/\1/; s/^(operator[^(]+|[A-Za-z0-9_]+).*/\1/' |
            sort -u >"$work/$lib-exported.txt"
        [ -s "$work/$lib-exported.txt" ] || fail "lib$lib.so exports nothing"
        extra=$(comm -23 "$work/$lib-exported.txt" "$allowed")
        [ -z "$extra" ] || fail "lib$lib.so exports names that no public header declares: $extra"
    done
    grep -qx SoScrivane "$work/scrivane-exported.txt" || fail "libscrivane.so lacks SoScrivane"
    export LD_LIBRARY_PATH=$prefix/$libdir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
fi

step "the installed command"
"$tool" -o "$work/build-tree-command.ps"
"$example" "$work/build-tree-example.ps" >/dev/null
"$prefix/bin/scrivane" -o "$work/command.ps"
check_drawing "$work/command.ps" "$work/build-tree-command.ps"

step "example with find_package(Scrivane)"
cmake -S "$source/examples" -B "$work/find-package" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_FIND_PACKAGE_NO_PACKAGE_REGISTRY=ON >"$work/find-package.log"
cmake --build "$work/find-package" >>"$work/find-package.log"
grep -q "$prefix/include" "$work/find-package/CMakeFiles/write_drawing.dir/flags.make" ||
    fail "the find_package build does not use the installed headers"
"$work/find-package/write_drawing" "$work/find-package.ps"
check_drawing "$work/find-package.ps" "$work/build-tree-example.ps"

step "example with pkg-config"
export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
# shellcheck disable=SC2046,SC2086 # the flags are word lists
"$cxx" -std=c++17 $flags -o "$work/pkg-config-write_drawing" "$source/examples/write_drawing.cpp" \
    $("$pkg_config" --cflags --libs scrivane)
"$work/pkg-config-write_drawing" "$work/pkg-config.ps"
check_drawing "$work/pkg-config.ps" "$work/build-tree-example.ps"
echo "install_and_use: all checks passed ($kind libraries)"
