#!/usr/bin/env bash
# Builds the program and its Debian package in build-package/ beside the test
# build (a Release build) and checks what a shop's machine would get from it:
# the program in /opt/pellory beside links to the price file and the
# settings in /etc/pellory, whose samples the package keeps in
# /usr/share/pellory (they are not conffiles); a launcher on the PATH that
# starts that program; the kiosk's service, pellory-kiosk.service, with its
# session script and PAM stack; valid desktop entries, the icon they name,
# and the packages the program cannot run without; a manual page, a
# copyright file and a changelog, and nothing lintian finds that is not
# overridden with a reason. An install to a prefix must keep a price file
# already there.
#
# As root, it then installs the package for real, with no terminal and
# without --force-confold (one upgrade runs with it, as apt front ends pass
# it), so that any question dpkg asks fails the check. It proves that the
# price file and the settings staff edited survive a reinstall, an upgrade
# whose samples differ, a remove and a new install, the upgrade from a
# package that had them as conffiles, and the upgrades from packages that
# shipped the price file in /opt/pellory (also with a price file already in
# /etc/pellory, with links planted where the maintainer scripts write, and
# stopped after the unpack); that the service is installed but neither
# enabled nor started; that the shop's own staff password is set and read as
# the group pellory allows; and that purge leaves nothing. It purges the
# package afterwards, whatever happens, and leaves alone a pellory package
# or folder that was on the machine before it.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
build=$(own_build package)

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPELLORY_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target pellory
rm -f "$build"/pellory_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/pellory_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one pellory_*.deb in $build" >&2; exit 1; }
deb=${debs[0]}

work=$(mktemp -d)
installed_here=false
group_was_there=false
getent group pellory >/dev/null && group_was_there=true
# Back to the machine as it was: neither folder was there before this script
# (rm removes links planted in them, never what they point at), nor, unless
# it was, the group the package makes.
reset_machine() {
    dpkg --purge pellory >/dev/null 2>&1 || true
    rm -rf /opt/pellory /etc/pellory
}
clean_up() {
    if $installed_here; then
        reset_machine
        $group_was_there || groupdel pellory 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap clean_up EXIT
trap 'exit 130' INT TERM HUP
tree="$work/tree"
dpkg-deb -x "$deb" "$tree"

failures=()
fail() { failures+=("$1"); }

# Layout: nothing outside the program folder, /usr/bin, /usr/share, the
# kiosk's unit and its PAM stack; in particular no autostart entry for every
# user, and no file in /etc/pellory, which holds the shop's own files.
while IFS= read -r path; do
    case "$path" in
        ./opt/pellory/*|./usr/bin/*|./usr/share/*) ;;
        ./lib/systemd/system/pellory-kiosk.service|./etc/pam.d/pellory-kiosk) ;;
        *) fail "unexpected file in the package: ${path#.}" ;;
    esac
done < <(cd "$tree" && find . \( -type f -o -type l \))

program="$tree/opt/pellory/pellory"
if [ -f "$program" ] && [ -x "$program" ] && file -b "$program" | grep -q '^ELF .*executable'; then :; else
    fail "/opt/pellory/pellory is not an executable program"
fi
# The price file and the settings: the sample from data/ in
# /usr/share/pellory, no conffile (dpkg would ask about an edited one), and a
# link beside the program to the shop's file in /etc/pellory, absolute
# between top-level folders, as Debian policy wants.
conffiles=$(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles 2>/dev/null)
[ "$conffiles" = /etc/pam.d/pellory-kiosk ] || fail "the conffiles are not just /etc/pam.d/pellory-kiosk: $conffiles"
for name in BrandsPrices.txt pellory.conf; do
    cmp -s "$tree/usr/share/pellory/$name" "$root/data/$name" \
        || fail "/usr/share/pellory/$name is missing or differs from data/$name"
    link="$tree/opt/pellory/$name"
    if [ ! -L "$link" ] || [ "$(readlink "$link")" != "/etc/pellory/$name" ]; then
        fail "/opt/pellory/$name is not a link to /etc/pellory/$name"
    fi
done

launcher="$tree/usr/bin/pellory"
if [ ! -L "$launcher" ]; then
    fail "/usr/bin/pellory is not a link to the program"
elif [ "$(readlink "$launcher")" != /opt/pellory/pellory ]; then
    fail "/usr/bin/pellory points at $(readlink "$launcher"), not at /opt/pellory/pellory"
fi

# The kiosk's service: the settings the fleet relies on, and the session
# script it runs beside the program.
unit="$tree/lib/systemd/system/pellory-kiosk.service"
if [ ! -f "$unit" ]; then
    fail "the package has no /lib/systemd/system/pellory-kiosk.service"
else
    for setting in Type=notify NotifyAccess=all ExecStart=/opt/pellory/kiosk-session 'WatchdogSec=[0-9]+' \
                   Restart=on-failure 'StartLimitBurst=[0-9]+' 'StartLimitIntervalSec=[0-9]+' User=kiosk \
                   PAMName=pellory-kiosk TTYPath=/dev/tty1 RuntimeDirectory=pellory-kiosk StandardError=journal \
                   SyslogIdentifier=pellory Conflicts=getty@tty1.service Environment=XDG_RUNTIME_DIR=%t/pellory-kiosk \
                   WantedBy=graphical.target; do
        grep -Eqx "$setting" "$unit" || fail "pellory-kiosk.service lacks $setting"
    done
fi
[ -x "$tree/opt/pellory/kiosk-session" ] || fail "/opt/pellory/kiosk-session is not an executable script"
sh -n "$tree/opt/pellory/kiosk-session" 2>/dev/null || fail "/opt/pellory/kiosk-session is not a valid sh script"
[ -f "$tree/etc/pam.d/pellory-kiosk" ] || fail "the package has no /etc/pam.d/pellory-kiosk"

# The documents a Debian package carries, and what lintian says of it. Every
# override in the package must say why, in a comment above it.
for document in usr/share/doc/pellory/copyright usr/share/doc/pellory/changelog.gz usr/share/man/man1/pellory.1.gz; do
    [ -f "$tree/$document" ] || fail "the package has no /$document"
done
overrides="$tree/usr/share/lintian/overrides/pellory"
if [ -f "$overrides" ]; then
    unexplained=$(awk '/^#/ { reason = 1; next } /^[[:space:]]*$/ { reason = 0; next } !reason { print }' "$overrides")
    [ -z "$unexplained" ] || fail "lintian overrides without a reason in a comment above them: $unexplained"
fi
if command -v lintian >/dev/null; then
    # Overridden tags do not fail it (--show-overrides would make them).
    lintian --fail-on error,warning --display-level '>=warning' "$deb" >"$work/lintian.log" 2>&1 \
        || fail "lintian finds errors or warnings: $(grep -v 'root privileges' "$work/lintian.log")"
else
    fail "lintian is missing: run scripts/install-deps.sh test"
fi

# The menu entry, and the example a kiosk account copies to ~/.config/autostart.
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is missing: run scripts/install-deps.sh test"
for desktop in /usr/share/applications/pellory.desktop /usr/share/pellory/pellory-kiosk.desktop; do
    entry() { sed -n "s/^$1=//p" "$tree$desktop" | head -n 1; }
    if [ ! -f "$tree$desktop" ]; then
        fail "no desktop entry $desktop"
        continue
    fi
    report=$(desktop-file-validate "$tree$desktop" 2>&1) || fail "desktop-file-validate $desktop: $report"
    [[ "$(entry Name)" == "The Pellory"* ]] || fail "$desktop: Name is '$(entry Name)'"
    [ "$(entry Type)" = Application ] || fail "$desktop: Type is '$(entry Type)'"
    [ -n "$(entry Comment)" ] || fail "$desktop has no Comment"
    exec_command=$(entry Exec | cut -d' ' -f1)
    [ -L "$tree/usr/bin/$exec_command" ] || [ -e "$tree/usr/bin/$exec_command" ] || fail "$desktop runs '$exec_command', which the package does not put in /usr/bin"
    icon="$tree/usr/share/icons/hicolor/scalable/apps/$(entry Icon).svg"
    if [ ! -f "$icon" ]; then
        fail "$desktop names icon '$(entry Icon)', not in /usr/share/icons/hicolor/scalable/apps"
    elif command -v rsvg-convert >/dev/null; then
        rsvg-convert -w 48 -h 48 "$icon" -o "$work/icon.png" 2>"$work/icon.log" \
            || fail "the icon does not render: $(cat "$work/icon.log")"
    fi
done
desktop="$tree/usr/share/applications/pellory.desktop"
[ "$(sed -n 's/^Name=//p' "$desktop" 2>/dev/null)" = "The Pellory" ] || fail "the menu entry's Name is not 'The Pellory'"
[ -n "$(sed -n 's/^Categories=//p' "$desktop" 2>/dev/null)" ] || fail "the menu entry has no Categories"

# Control fields, and each package the program needs to open its window.
[ "$(dpkg-deb -f "$deb" Package)" = pellory ] || fail "package name is '$(dpkg-deb -f "$deb" Package)'"
for field in Maintainer Description Section Version; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "control field $field is empty"
done
depends=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/^ *//; s/ *$//' | sort -u)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libsodium23 qt6-qpa-plugins fonts-comic-neue; do
    grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed"
done

# An install to a prefix puts the samples there once; a second install keeps
# the prices and settings staff have since changed.
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null \
    && printf '"Prefix Brand",61,62,63,64,65\r\n' >>"$prefix/opt/pellory/BrandsPrices.txt" \
    && printf 'IdleResetSeconds=300\n' >>"$prefix/opt/pellory/pellory.conf" \
    && cmake --install "$build" --prefix "$prefix" >/dev/null \
    || fail "cmake --install to a prefix failed"
for name in BrandsPrices.txt pellory.conf; do
    [ -L "$prefix/opt/pellory/$name" ] || fail "an install to a prefix put no link to $name in opt/pellory"
done
# Under a prefix the links stay relative, so the install moves with it.
[ "$(readlink "$prefix/bin/pellory")" = ../opt/pellory/pellory ] \
    || fail "an install to a prefix links bin/pellory to $(readlink "$prefix/bin/pellory")"
grep -q '^"Prefix Brand",' "$prefix/etc/pellory/BrandsPrices.txt" 2>/dev/null \
    || fail "a second install to a prefix replaced the edited price file"
grep -qx 'IdleResetSeconds=300' "$prefix/etc/pellory/pellory.conf" 2>/dev/null \
    || fail "a second install to a prefix replaced the edited settings"
listing=$("$prefix/bin/pellory" --check 2>&1) && grep -qF "Prefix Brand" <<<"$listing" \
    && grep -qx "  IdleResetSeconds=300" <<<"$listing" \
    || fail "the program installed to a prefix does not use its edited price file and settings: $listing"

# Start the program installed to the prefix through its launcher: when it
# finds the price file beside itself, start-up completes and stores the clock
# preference (a failed start-up reports the error and stores nothing).
if [ -x "$prefix/bin/pellory" ]; then
    status=0
    XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/pellory" >/dev/null 2>&1 \
        || status=$?
    if [ "$status" -ne 124 ]; then
        fail "the installed program ended by itself (status $status) instead of showing its window"
    elif ! grep -qx 'DateDisplay=False' "$work/config/PELLORY.conf" 2>/dev/null; then
        fail "the installed program, started through bin/pellory, did not complete start-up"
    fi
fi

# The staff's price file through the package's life, installed for real with
# dpkg, which touches no package but this one. dpkg runs with no terminal:
# an upgrade must need no answer, and a question fails the check.
life_skipped=""
status=$(dpkg-query -W -f='${db:Status-Status}' pellory 2>/dev/null || true)
if [ "$(id -u)" -ne 0 ]; then
    life_skipped="not root"
elif [ -n "$status" ] && [ "$status" != not-installed ]; then
    life_skipped="a pellory package is already on this machine ($status)"
elif [ -e /opt/pellory ] || [ -e /etc/pellory ]; then
    life_skipped="/opt/pellory or /etc/pellory is already on this machine"
fi

# A copy of the package with another version, built from the unpacked one
# after a change to its tree ($1: version, $2: what to do in the tree).
repack() {
    local version=$1 change=$2 dir="$work/repack-$1"
    dpkg-deb -R "$deb" "$dir"
    sed -i "s/^Version: .*/Version: $version/" "$dir/DEBIAN/control"
    (cd "$dir" && eval "$change")
    (cd "$dir" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | xargs -0 md5sum >DEBIAN/md5sums)
    dpkg-deb --root-owner-group -b "$dir" "$work/pellory_$version.deb" >/dev/null
}
package() {
    local log="$work/dpkg-step.log"
    local status=0
    DEBIAN_FRONTEND=noninteractive dpkg "$@" </dev/null >"$log" 2>&1 || status=$?
    cat "$log" >>"$work/dpkg.log"
    if grep -q 'conffile prompt\|Configuration file .*==>' "$log"; then
        fail "dpkg $* asked a question: $(grep -m 1 'Configuration file\|conffile prompt' "$log")"
        return 1
    fi
    [ "$status" -eq 0 ] || { fail "dpkg $*: $(tail -n 5 "$log")"; return 1; }
}
add_brand() { printf '"%s",61,62,63,64,65\r\n' "$1" >>/opt/pellory/BrandsPrices.txt; }
edit_settings() { printf 'IdleResetSeconds=300\n' >>/opt/pellory/pellory.conf; }
# The settings staff changed are in the settings file, and the program uses them.
expect_settings() {
    local listing
    listing=$(timeout 10 /usr/bin/pellory --check 2>&1)
    grep -qx 'IdleResetSeconds=300' /etc/pellory/pellory.conf 2>/dev/null \
        || { fail "$1: /etc/pellory/pellory.conf lost the edited setting"; return 1; }
    grep -qx '  IdleResetSeconds=300' <<<"$listing" \
        || { fail "$1: the program does not use the edited settings: $listing"; return 1; }
}
# The kiosk's service is on the machine, neither enabled nor started, and
# systemd finds nothing wrong with it (systemd-analyze needs no running
# systemd for that).
expect_service_installed_disabled() {
    local enabled
    [ -f /lib/systemd/system/pellory-kiosk.service ] || { fail "$1: no /lib/systemd/system/pellory-kiosk.service"; return 1; }
    enabled=$(systemctl is-enabled pellory-kiosk.service 2>&1)
    [ "$enabled" = disabled ] || { fail "$1: systemctl is-enabled pellory-kiosk.service says $enabled"; return 1; }
    if find /etc/systemd/system -name pellory-kiosk.service 2>/dev/null | grep -q .; then
        fail "$1: pellory-kiosk.service is linked in /etc/systemd/system"
        return 1
    fi
    if command -v systemd-analyze >/dev/null; then
        # It ends with 0 after a line it could not parse, so any line it
        # says about the unit or its script is a fault.
        if ! systemd-analyze verify --man=no /lib/systemd/system/pellory-kiosk.service >"$work/verify.log" 2>&1 \
           || grep -q 'pellory-kiosk\|kiosk-session' "$work/verify.log"; then
            fail "$1: systemd-analyze verify: $(cat "$work/verify.log")"
            return 1
        fi
    else
        echo "note: systemd-analyze is missing; pellory-kiosk.service is not verified" >&2
    fi
}
# The brands staff added are in the price file, and the installed program's
# check of the file it reads lists them.
expect_brands() {
    local when=$1 brand listing
    shift
    listing=$(timeout 10 /usr/bin/pellory --check /opt/pellory/BrandsPrices.txt 2>&1) \
        || { fail "$when: pellory --check /opt/pellory/BrandsPrices.txt failed: $listing"; return 1; }
    for brand in "$@"; do
        grep -q "^\"$brand\"," /etc/pellory/BrandsPrices.txt 2>/dev/null \
            || { fail "$when: /etc/pellory/BrandsPrices.txt lost \"$brand\""; return 1; }
        grep -qF "$brand" <<<"$listing" || { fail "$when: the program does not load \"$brand\""; return 1; }
    done
}
expect_nothing_left() {
    [ ! -e /etc/pellory ] && [ ! -e /opt/pellory ] && [ ! -L /etc/pellory ] && [ ! -L /opt/pellory ] \
        || { fail "$1 left $(find /etc/pellory /opt/pellory 2>/dev/null | tr '\n' ' ')"; return 1; }
}
# What pellory --check says of the staff password (its own line, before the
# price file's report) for the user nobody with the groups setpriv gives ($2).
expect_password_status() {
    local said
    said=$(timeout 10 setpriv --reuid=65534 --regid=65534 "$2" /usr/bin/pellory --check 2>&1 \
               | grep -m 1 '^The staff password')
    [[ "$said" == "$3"* ]] || { fail "for $1, pellory --check says: $said"; return 1; }
}
expect_version() {
    [ "$(dpkg-query -W -f='${Version}' pellory)" = "$1" ] || { fail "pellory $1 is not the installed version"; return 1; }
}

if [ -n "$life_skipped" ]; then
    echo "note: $life_skipped; the install, upgrade, remove and purge of the package are not tried" >&2
elif [ ${#failures[@]} -eq 0 ]; then
    version=$(dpkg-deb -f "$deb" Version)
    next="$version+next"
    repack "$next" 'printf "\"Next Sample Brand\",1,2,3,4,5\r\n" >>usr/share/pellory/BrandsPrices.txt
        printf "# A setting the next version adds\n" >>usr/share/pellory/pellory.conf'
    # Packages before the price file became a conffile shipped it itself in
    # /opt/pellory, where staff edited it.
    earlier="$version~earlier"
    repack "$earlier" 'rm -rf etc lib DEBIAN/conffiles DEBIAN/preinst DEBIAN/postinst DEBIAN/postrm usr/share/pellory/*.txt
        rm -f usr/share/pellory/pellory.conf opt/pellory/pellory.conf opt/pellory/kiosk-session
        rm opt/pellory/BrandsPrices.txt && cp "$root/data/BrandsPrices.txt" opt/pellory/'
    # Then packages shipped both files in /etc/pellory as conffiles, which
    # dpkg asks about when the shop edited them and the sample changed.
    conffiles_era="$version~conffiles"
    repack "$conffiles_era" 'mkdir -p etc/pellory && cp "$root/data/BrandsPrices.txt" "$root/data/pellory.conf" etc/pellory/
        printf "/etc/pellory/BrandsPrices.txt\n/etc/pellory/pellory.conf\n" >>DEBIAN/conffiles'

    installed_here=true
    package -i "$deb" \
        && expect_service_installed_disabled "after the install" \
        && add_brand "Added Brand" && edit_settings \
        && expect_brands "after an edit through /opt/pellory" "Added Brand" \
        && expect_settings "after an edit through /opt/pellory" \
        && package --force-confold -i "$deb" \
        && expect_brands "after a reinstall" "Added Brand" && expect_settings "after a reinstall" \
        && package -i "$work/pellory_$next.deb" && expect_version "$next" \
        && expect_brands "after an upgrade whose samples differ" "Added Brand" \
        && expect_settings "after an upgrade whose samples differ" \
        && expect_service_installed_disabled "after an upgrade" \
        && { grep -q '"Next Sample Brand"' /usr/share/pellory/BrandsPrices.txt 2>/dev/null \
                 || fail "the upgrade did not bring its new sample to /usr/share/pellory/BrandsPrices.txt"; } \
        && package -r pellory \
        && { [ ! -e /opt/pellory/pellory ] || fail "remove left /opt/pellory/pellory"; } \
        && { grep -q '"Added Brand"' /etc/pellory/BrandsPrices.txt 2>/dev/null || fail "remove deleted the edited price file"; } \
        && { grep -qx 'IdleResetSeconds=300' /etc/pellory/pellory.conf 2>/dev/null || fail "remove deleted the edited settings"; } \
        && package -i "$work/pellory_$next.deb" \
        && expect_brands "after remove and install again" "Added Brand" \
        && expect_settings "after remove and install again" \
        && package --purge pellory && expect_nothing_left "purge" \
        && package -i "$work/pellory_$earlier.deb" \
        && add_brand "Earlier Brand" \
        && package -i "$deb" && expect_version "$version" \
        && expect_brands "after the upgrade from a package that shipped the price file in /opt/pellory" "Earlier Brand" \
        && package --purge pellory && expect_nothing_left "purge after the upgrade" \
        || fail "the package's life ended early (dpkg's log: $(tail -n 3 "$work/dpkg.log"))"

    # The upgrade from a package that had the price file and the settings
    # as conffiles, both edited, asks nothing and keeps both.
    {
        reset_machine
        package -i "$work/pellory_$conffiles_era.deb" \
            && add_brand "Conffile Brand" && edit_settings \
            && package -i "$deb" && expect_version "$version" \
            && expect_brands "after the upgrade from conffiles" "Conffile Brand" \
            && expect_settings "after the upgrade from conffiles" \
            && package --purge pellory && expect_nothing_left "purge after the upgrade from conffiles" \
            || fail "the upgrade from conffiles ended early (dpkg's log: $(tail -n 3 "$work/dpkg.log"))"
    }

    # The shop's own staff password: set by root, read by the group pellory.
    {
        reset_machine
        package -i "$deb" \
            && { getent group pellory >/dev/null || fail "the package made no group pellory"; } \
            && { printf '13572468\n' | /usr/bin/pellory --set-staff-password >>"$work/dpkg.log" 2>&1 \
                     || fail "pellory --set-staff-password failed: $(tail -n 2 "$work/dpkg.log")"; } \
            && { [ "$(stat -c '%a %U %G' /etc/pellory/staff-password)" = "640 root pellory" ] \
                     || fail "/etc/pellory/staff-password is $(stat -c '%a %U %G' /etc/pellory/staff-password)"; } \
            && expect_password_status "the group pellory" "--groups=$(getent group pellory | cut -d: -f3)" \
                   "The staff password is the shop's own, from /etc/pellory/staff-password." \
            && expect_password_status "another account" --clear-groups \
                   "The staff password file /etc/pellory/staff-password cannot be used (this account may not read it" \
            && package --purge pellory && expect_nothing_left "purge after the password was set" \
            || fail "the staff password's check ended early (dpkg's log: $(tail -n 3 "$work/dpkg.log"))"
    }

    # The upgrade from 1.0.0 never overwrites a price file already in
    # /etc/pellory, and never writes through a link planted where the
    # maintainer scripts write, not even on purge.
    {
        reset_machine
        printf 'victim\n' >"$work/victim-upgrading"
        printf 'victim\n' >"$work/victim-beside"
        package -i "$work/pellory_$earlier.deb" \
            && add_brand "Earlier Brand" \
            && mkdir -p /etc/pellory \
            && printf '"Etc Brand",61,62,63,64,65\r\n' >/etc/pellory/BrandsPrices.txt \
            && ln -s "$work/victim-upgrading" /opt/pellory/BrandsPrices.txt.upgrading \
            && ln -s "$work/victim-beside" /etc/pellory/BrandsPrices.txt.from-opt \
            && package -i "$deb" \
            && expect_brands "after the upgrade onto a price file already in /etc/pellory" "Etc Brand" \
            && { [ ! -L /etc/pellory/BrandsPrices.txt.from-opt ] \
                     && grep -q '^"Earlier Brand",' /etc/pellory/BrandsPrices.txt.from-opt \
                     || fail "the price file edited in /opt/pellory is not beside the kept one as BrandsPrices.txt.from-opt"; } \
            && { grep -q 'is beside it as /etc/pellory/BrandsPrices.txt.from-opt' "$work/dpkg.log" \
                     || fail "the upgrade did not say where the price file edited in /opt/pellory went"; } \
            && package --purge pellory && expect_nothing_left "purge after the upgrade onto /etc/pellory" \
            && for victim in "$work/victim-upgrading" "$work/victim-beside"; do
                   [ "$(cat "$victim" 2>/dev/null)" = victim ] || fail "a maintainer script wrote through a link to $victim"
               done \
            || fail "the upgrade onto /etc/pellory ended early (dpkg's log: $(tail -n 3 "$work/dpkg.log"))"
    }

    # Unpacked over an edited 1.0.0 but not configured, the kiosk still reads
    # the edited prices; purge then leaves nothing, so a new install brings
    # only the sample.
    {
        reset_machine
        package -i "$work/pellory_$earlier.deb" \
            && add_brand "Unpacked Brand" \
            && package --unpack "$deb" \
            && expect_brands "unpacked over 1.0.0, not configured" "Unpacked Brand" \
            && package --purge pellory && expect_nothing_left "purge of the unpacked package" \
            && package -i "$deb" \
            && { cmp -s /etc/pellory/BrandsPrices.txt "$root/data/BrandsPrices.txt" \
                     || fail "a new install after purge did not bring the sample: purged prices came back"; } \
            && package --purge pellory && expect_nothing_left "purge after a new install" \
            || fail "the unpack check ended early (dpkg's log: $(tail -n 3 "$work/dpkg.log"))"
    }
fi

if [ ${#failures[@]} -gt 0 ]; then
    printf 'FAIL: %s\n' "${failures[@]}" >&2
    exit 1
fi
if [ -n "$life_skipped" ]; then
    echo "package ${deb##*/}: layout, price file, settings, service, desktop entries, icon, Depends and lintian as expected"
else
    echo "package ${deb##*/}: layout, price file, settings, service, desktop entries, icon, Depends and lintian as" \
         "expected; installs and upgrades ask nothing; the service is installed disabled; the staff's price file and" \
         "settings survive upgrade, reinstall and remove, the upgrades from conffiles and from /opt/pellory" \
         "write over nothing and through no link, the staff password is set and read, and purge leaves nothing"
fi
