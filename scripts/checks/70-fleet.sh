#!/usr/bin/env bash
# The playbook (deploy/ansible) run as a shop's IT would run it, against three
# throw-away Debian 12 machines booted with systemd-nspawn (systemd is their
# PID 1), reached over SSH on loopback ports with a key and passwordless sudo,
# with a vaulted password and the package built as 60-package.sh builds it.
# On each machine: the package, the files and their modes, the shop's own
# password, the kiosk service running with cage keeping the program up (cage
# draws into memory: a drop-in the stage adds through the playbook's
# pellory_service_settings, as there is no screen, GPU or terminal in the
# machines), systemctl status showing the prices in use and the journal the
# start-up lines. Then: a second run changes nothing; check mode on a fresh
# machine changes nothing and refuses a faulty price file or settings; new
# prices reach every kiosk and the running program shows them without a
# restart; a faulty price file fails everywhere and changes nothing; new
# settings restart the kiosk; a rebuilt package of the same version is
# installed; a stopped machine is reported unreachable while the others
# update, and catches up at the next run once it is on again.
#
# Runs as root only (debootstrap, nspawn). The machines share this machine's
# network (sshd on distinct loopback ports) and need no machined. The
# debootstrap tree, the packages the kiosks download and the apt lists are
# kept in PELLORY_FLEET_CACHE (default /var/cache/pellory-fleet) between runs:
# a cold cache costs about 3 minutes of debootstrap and 130 MB of downloads
# more. The machines are stopped and removed however the stage ends.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
started=$SECONDS
readonly Kiosks=(kiosk1 kiosk2 kiosk3)
readonly Service=pellory-kiosk.service
readonly Password=482915
readonly BasePackages=systemd,systemd-sysv,dbus,openssh-server,sudo,python3

if [ "$(id -u)" -ne 0 ]; then
    echo "note: not root, so no machines can be booted; the fleet is not tried" >&2
    exit 0
fi
for tool in debootstrap systemd-nspawn ssh ssh-keygen ansible-playbook ansible-vault dpkg-deb; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh test" >&2; exit 1; }
done
cache=$(realpath -m "${PELLORY_FLEET_CACHE:-/var/cache/pellory-fleet}")

# The Debian mirror this machine's own apt sources name for bookworm.
debian_mirror() {
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk 'BEGIN { RS = ""; FS = "\n" }
             { types = uris = suites = ""
               for (i = 1; i <= NF; i++) {
                   if ($i ~ /^Types:/) types = $i
                   if ($i ~ /^URIs:/) uris = $i
                   if ($i ~ /^Suites:/) suites = $i
               }
               if (types ~ /[ \t]deb([ \t]|$)/ && suites ~ /[ \t]bookworm([ \t]|$)/) {
                   sub(/^URIs:[ \t]*/, "", uris); split(uris, u, /[ \t]+/); print u[1]; exit
               } }' "$file"
    done
    { cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true; } \
        | awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++; if ($2 ~ /^\[/) i++
                             if ($(i + 1) == "bookworm") { print $i; exit } }'
}
mirror=$(debian_mirror | head -n 1) || true
[ -n "$mirror" ] || { echo "FAIL: no bookworm mirror in this machine's apt sources" >&2; exit 1; }

# The package, built as 60-package.sh builds it.
package_build=$(own_build package)
cmake -S "$root" -B "$package_build" -DCMAKE_BUILD_TYPE=Release -DPELLORY_BUILD_TESTS=OFF >/dev/null
cmake --build "$package_build" -j "$(nproc 2>/dev/null || echo 2)" --target pellory >/dev/null
rm -f "$package_build"/pellory_*.deb
(cd "$package_build" && cpack -G DEB >/dev/null)
debs=("$package_build"/pellory_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one pellory_*.deb in $package_build" >&2; exit 1; }
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)

work=$(mktemp -d)
declare -A port pid
# Stops a machine as its power button would; a machine that does not shut
# down in 30 seconds is killed, its init (and so all in it) first.
stop_machine() {
    local name=$1 init
    [ -n "${pid[$name]:-}" ] || return 0
    init=$(pgrep -P "${pid[$name]}" | head -n 1 || true)
    kill -TERM "${pid[$name]}" 2>/dev/null || true
    wait_until 30 eval '! kill -0 "${pid[$name]}" 2>/dev/null' || {
        [ -z "$init" ] || kill -KILL "$init" 2>/dev/null || true
        kill -KILL "${pid[$name]}" 2>/dev/null || true
    }
    wait "${pid[$name]}" 2>/dev/null || true
    rmdir "/run/systemd/nspawn/propagate/pellory-fleet-$$-$name" 2>/dev/null || true
    pid[$name]=""
}
clean_up() {
    local name
    for name in "${Kiosks[@]}"; do stop_machine "$name"; done
    rm -rf "$work"
    echo "fleet stage: $(( SECONDS - started )) s"
}
trap clean_up EXIT
trap 'exit 130' INT TERM HUP

failures=()
fail() { failures+=("$1"); }
stop_if_failed() {
    [ ${#failures[@]} -eq 0 ] && return 0
    printf 'FAIL: %s\n' "${failures[@]}" >&2
    exit 1
}

# A fresh Debian 12 with systemd, SSH, sudo and Python, once; then copied.
base="$cache/bookworm-$(printf '%s' "$BasePackages" | md5sum | cut -c1-8)"
if [ ! -e "$base/.complete" ]; then
    echo "-- debootstrap bookworm from $mirror (once; kept in $cache)"
    rm -rf "$base" "$base.new"
    mkdir -p "$cache"
    debootstrap --variant=minbase --include="$BasePackages" bookworm "$base.new" "$mirror" >"$work/debootstrap.log" 2>&1 \
        || { tail -n 20 "$work/debootstrap.log" >&2; rm -rf "$base.new"; echo "FAIL: debootstrap" >&2; exit 1; }
    rm -f "$base.new"/etc/ssh/ssh_host_*
    chroot "$base.new" apt-get clean
    touch "$base.new/.complete"
    mv "$base.new" "$base"
fi

# The machines' common ground: an account for IT with the stage's key and
# passwordless sudo, SSH that takes keys only, apt lists, and the packages
# the kiosks will install, downloaded (into the cache) but not installed.
echo "-- three machines"
export HOME="$work/home" ANSIBLE_LOCAL_TEMP="$work/ansible/local" ANSIBLE_NOCOLOR=1 \
    ANSIBLE_DEPRECATION_WARNINGS=0 ANSIBLE_FORCE_COLOR=0
mkdir -p "$HOME" "$cache/archives/partial"
ssh-keygen -q -t ed25519 -N '' -C fleet-it -f "$work/id"
template="$work/template"
cp -a "$base" "$template"
chroot "$template" useradd --create-home --shell /bin/bash it
install -d -m 700 "$template/home/it/.ssh"
install -m 600 "$work/id.pub" "$template/home/it/.ssh/authorized_keys"
chroot "$template" chown -R it:it /home/it/.ssh
printf 'it ALL=(ALL) NOPASSWD: ALL\n' >"$template/etc/sudoers.d/it"
chmod 440 "$template/etc/sudoers.d/it"
printf 'ListenAddress 127.0.0.1\nPasswordAuthentication no\nKbdInteractiveAuthentication no\nPermitRootLogin no\n' \
    >"$template/etc/ssh/sshd_config.d/fleet.conf"
kiosk_packages=$(python3 -c 'import sys, yaml; print(" ".join(yaml.safe_load(open(sys.argv[1]))["pellory_kiosk_packages"]))' \
    "$root/deploy/ansible/roles/pellory_kiosk/defaults/main.yml")
cp "$deb" "$template/var/tmp/pellory.deb"
# shellcheck disable=SC2086
systemd-nspawn -q -D "$template" --register=no --keep-unit --link-journal=no \
    --bind="$cache/archives:/var/cache/apt/archives" \
    sh -c "apt-get update -qq && apt-get install -qq -y --download-only --no-install-recommends /var/tmp/pellory.deb $kiosk_packages" \
    >"$work/download.log" 2>&1 \
    || { tail -n 20 "$work/download.log" >&2; echo "FAIL: the kiosks' packages could not be downloaded" >&2; exit 1; }
rm "$template/var/tmp/pellory.deb"

free_port() {
    local candidate=$1
    while (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; do candidate=$((candidate + 1)); done
    printf '%s\n' "$candidate"
}
next_port=42201
: >"$work/known_hosts"
for name in "${Kiosks[@]}"; do
    machine="$work/$name"
    cp -a "$template" "$machine"
    port[$name]=$(free_port "$next_port")
    next_port=$(( ${port[$name]} + 1 ))
    printf 'Port %s\n' "${port[$name]}" >"$machine/etc/ssh/sshd_config.d/port.conf"
    printf '%s\n' "$name" >"$machine/etc/hostname"
    printf '127.0.0.1 localhost\n127.0.1.1 %s\n' "$name" >"$machine/etc/hosts"
    tr -d '-' </proc/sys/kernel/random/uuid >"$machine/etc/machine-id"
    ssh-keygen -q -t ed25519 -N '' -C "root@$name" -f "$machine/etc/ssh/ssh_host_ed25519_key"
    printf '[127.0.0.1]:%s %s\n' "${port[$name]}" "$(cut -d' ' -f1,2 "$machine/etc/ssh/ssh_host_ed25519_key.pub")" \
        >>"$work/known_hosts"
    cp -l "$cache/archives/"*.deb "$machine/var/cache/apt/archives/" 2>/dev/null \
        || cp "$cache/archives/"*.deb "$machine/var/cache/apt/archives/"
done
rm -rf "$template"

ssh_options=(-i "$work/id" -o IdentitiesOnly=yes -o BatchMode=yes -o UserKnownHostsFile="$work/known_hosts"
             -o StrictHostKeyChecking=yes -o ConnectTimeout=5 -o LogLevel=error)
# on NAME COMMAND: runs COMMAND as root on the machine.
on() {
    local name=$1
    shift
    ssh "${ssh_options[@]}" -p "${port[$name]}" it@127.0.0.1 "sudo -n $(printf '%q ' "$@")" </dev/null
}
reachable() { on "$1" true 2>/dev/null; }
boot_machine() {
    local name=$1
    setsid systemd-nspawn -b -q -D "$work/$name" -M "pellory-fleet-$$-$name" --hostname="$name" \
        --register=no --keep-unit --link-journal=no --console=read-only \
        </dev/null >>"$work/$name.console" 2>&1 &
    pid[$name]=$!
}
for name in "${Kiosks[@]}"; do boot_machine "$name"; done
for name in "${Kiosks[@]}"; do
    wait_until 90 reachable "$name" \
        || { tail -n 20 "$work/$name.console" >&2; echo "FAIL: $name did not come up with SSH" >&2; exit 1; }
done
echo "-- the machines are up ($(( SECONDS - started )) s)"

# The playbook as a shop's IT keeps it: the package in files/, an inventory,
# a vaulted password; one shop's kiosk (kiosk3) has its own price file.
playbook="$work/playbook"
cp -r "$root/deploy/ansible" "$playbook"
rm -f "$playbook/files/pellory.deb" "$playbook/inventory.ini" "$playbook/group_vars/kiosks/vault.yml"
cp "$deb" "$playbook/files/pellory.deb"
{
    echo "[kiosks]"
    for name in "${Kiosks[@]}"; do echo "$name ansible_host=127.0.0.1 ansible_port=${port[$name]}"; done
    echo "[kiosks:vars]"
    echo "ansible_user=it"
    echo "ansible_ssh_private_key_file=$work/id"
    echo "ansible_ssh_common_args='-o IdentitiesOnly=yes -o UserKnownHostsFile=$work/known_hosts -o StrictHostKeyChecking=yes'"
    echo "[south]"
    echo "kiosk3"
} >"$playbook/inventory.ini"
mkdir -p "$playbook/group_vars/south" "$playbook/files/south"
printf 'pellory_price_file: "{{ playbook_dir }}/files/south/BrandsPrices.txt"\n' >"$playbook/group_vars/south/vars.yml"
printf '"Southgate",61,62,63,64,65\r\n"Lowfield",0,70,0,71,0\r\n' >"$playbook/files/south/BrandsPrices.txt"
cat >"$playbook/group_vars/kiosks/machines.yml" <<'EOF'
# These kiosks are containers: no virtual terminal (the service starts
# without one), no screen, GPU or input device (cage draws into memory).
pellory_service_settings: |
  [Unit]
  ConditionPathExists=
  [Service]
  StandardInput=null
  TTYReset=no
  TTYVHangup=no
  TTYVTDisallocate=no
  Environment=WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
EOF
printf 'fleet-vault-key\n' >"$work/vault-key"
printf 'vault_pellory_staff_password: "%s"\n' "$Password" >"$playbook/group_vars/kiosks/vault.yml"
ansible-vault encrypt --vault-password-file "$work/vault-key" "$playbook/group_vars/kiosks/vault.yml" >/dev/null

runs=0
# play LOG ARGS...: one ansible-playbook run in the playbook's folder; its
# status in `played`.
play() {
    local log="$work/$1.log"
    shift
    runs=$((runs + 1))
    played=0
    (cd "$playbook" && ansible-playbook site.yml --vault-password-file "$work/vault-key" "$@") >"$log" 2>&1 || played=$?
}
# recap LOG NAME: the host's line of the play recap.
recap() { grep -E "^$2 +:" "$work/$1.log" | tail -n 1; }
expect_recap() {
    local log=$1 name=$2 pattern
    shift 2
    for pattern in "$@"; do
        recap "$log" "$name" | grep -qE "$pattern" \
            || fail "$log run, $name: expected $pattern in the recap: $(recap "$log" "$name")"
    done
}
show_log() { tail -n 40 "$work/$1.log" >&2; }
show_changes() { grep -B2 "^changed:" "$work/$1.log" >&2 || true; }
digest() { sha256sum "$1" | cut -c1-12; }
main_pid() { on "$1" systemctl show -p MainPID --value "$Service"; }
status_text() { on "$1" systemctl show -p StatusText --value "$Service"; }
# Waits until the service's status shows the file with this digest.
shows_digest() { status_text "$1" | grep -q "SHA-256 $2"; }

echo "-- check mode on fresh machines"
play check-fresh --check
[ "$played" -eq 0 ] || { show_log check-fresh; fail "check mode fails on fresh machines (status $played)"; }
for name in "${Kiosks[@]}"; do
    expect_recap check-fresh "$name" 'failed=0' 'changed=[1-9]'
    [ "$(on "$name" dpkg-query -W -f='${db:Status-Status}' pellory 2>/dev/null)" != installed ] \
        || fail "check mode installed the package on $name"
done
stop_if_failed

echo "-- the first run ($(( SECONDS - started )) s)"
play first
[ "$played" -eq 0 ] || { show_log first; fail "the first run fails (status $played)"; }
stop_if_failed
shop_digest=$(digest "$playbook/files/BrandsPrices.txt")
south_digest=$(digest "$playbook/files/south/BrandsPrices.txt")
for name in "${Kiosks[@]}"; do
    expect_recap first "$name" 'failed=0' 'unreachable=0'
    [ "$(on "$name" dpkg-query -W -f='${db:Status-Status} ${Version}' pellory)" = "installed $version" ] \
        || fail "$name: pellory $version is not installed"
    modes=$(on "$name" stat -c "%n %a %U %G" /etc/pellory/BrandsPrices.txt /etc/pellory/pellory.conf /etc/pellory/staff-password || true)
    [ "$modes" = "/etc/pellory/BrandsPrices.txt 644 root root
/etc/pellory/pellory.conf 644 root root
/etc/pellory/staff-password 640 root pellory" ] || fail "$name: the files are $modes"
    on "$name" id -nG kiosk | grep -qw pellory || fail "$name: the account kiosk is not in the group pellory"
    on "$name" pellory --check 2>&1 | grep -qx "The staff password is the shop's own, from /etc/pellory/staff-password." \
        || fail "$name: the staff password is not the shop's own"
    expected=$shop_digest brands="13 brands"
    [ "$name" != kiosk3 ] || expected=$south_digest brands="2 brands"
    [ "$(on "$name" sha256sum /etc/pellory/BrandsPrices.txt | cut -c1-12)" = "$expected" ] \
        || fail "$name: /etc/pellory/BrandsPrices.txt is not the shop's price file"
    [ "$(on "$name" systemctl is-enabled "$Service")" = enabled ] || fail "$name: $Service is not enabled"
    wait_until 30 shows_digest "$name" "$expected" || fail "$name: the service's status is: $(status_text "$name")"
    status=$(on "$name" systemctl status --no-pager "$Service" 2>&1 || true)
    grep -q "Active: active (running)" <<<"$status" || fail "$name: $Service is not running: $status"
    grep -q "Status: \"$brands from /etc/pellory/BrandsPrices.txt, SHA-256 $expected, loaded" <<<"$status" \
        || fail "$name: systemctl status does not show the prices in use: $status"
    on "$name" pgrep -u kiosk -x cage >/dev/null || fail "$name: cage is not running"
    [ "$(on "$name" pgrep -c -u kiosk -x pellory)" = 1 ] || fail "$name: not one program under cage"
    on "$name" journalctl -b -q -u "$Service" --no-pager | grep -q "Started $Service" \
        || fail "$name: the journal lacks the kiosk's start"
done
stop_if_failed
declare -A started_as
for name in "${Kiosks[@]}"; do started_as[$name]=$(main_pid "$name"); done
sleep 3
for name in "${Kiosks[@]}"; do
    [ "$(main_pid "$name")" = "${started_as[$name]}" ] && [ "$(on "$name" systemctl show -p NRestarts --value "$Service")" = 0 ] \
        || fail "$name: the kiosk did not stay up"
done

echo "-- a second run changes nothing ($(( SECONDS - started )) s)"
play second
[ "$played" -eq 0 ] || { show_log second; fail "the second run fails"; }
for name in "${Kiosks[@]}"; do expect_recap second "$name" 'changed=0' 'failed=0'; done
[ ${#failures[@]} -eq 0 ] || show_changes second
stop_if_failed

echo "-- new prices reach every kiosk without a restart"
printf '"Fleet Brand",61,62,63,64,65\r\n' >>"$playbook/files/BrandsPrices.txt"
printf '"Fleet South",61,62,63,64,65\r\n' >>"$playbook/files/south/BrandsPrices.txt"
shop_digest=$(digest "$playbook/files/BrandsPrices.txt")
south_digest=$(digest "$playbook/files/south/BrandsPrices.txt")
play prices --tags prices
[ "$played" -eq 0 ] || { show_log prices; fail "the price run fails"; }
for name in "${Kiosks[@]}"; do
    expect_recap prices "$name" 'changed=1 ' 'failed=0'
    expected=$shop_digest
    [ "$name" != kiosk3 ] || expected=$south_digest
    wait_until 30 shows_digest "$name" "$expected" \
        || fail "$name: the running program does not show the new prices: $(status_text "$name")"
    status_text "$name" | grep -q ", reloaded " || fail "$name: the status does not say reloaded: $(status_text "$name")"
    on "$name" journalctl -b -q -t pellory --no-pager | grep -q "Prices reloaded from /opt/pellory/BrandsPrices.txt: " \
        || fail "$name: the journal lacks the program's line about the reload"
    [ "$(main_pid "$name")" = "${started_as[$name]}" ] || fail "$name: a price change restarted the kiosk"
done
stop_if_failed

echo "-- a faulty price file fails everywhere and changes nothing"
cp "$playbook/files/BrandsPrices.txt" "$work/good-prices.txt"
printf '"Broken Brand",61,62\r\n' >>"$playbook/files/BrandsPrices.txt"
play faulty-check --check
[ "$played" -ne 0 ] || fail "check mode passes a faulty price file"
grep -q 'Line 15 has 3 fields' "$work/faulty-check.log" || { show_log faulty-check; fail "check mode does not say what is wrong"; }
play faulty
[ "$played" -ne 0 ] || fail "a run with a faulty price file passes"
for name in kiosk1 kiosk2; do expect_recap faulty "$name" 'changed=0' 'failed=1'; done
for name in "${Kiosks[@]}"; do
    expected=$shop_digest
    [ "$name" != kiosk3 ] || expected=$south_digest
    [ "$(on "$name" sha256sum /etc/pellory/BrandsPrices.txt | cut -c1-12)" = "$expected" ] \
        || fail "$name: a faulty price file changed the one in place"
    [ "$(main_pid "$name")" = "${started_as[$name]}" ] || fail "$name: a faulty price file restarted the kiosk"
done
cp "$work/good-prices.txt" "$playbook/files/BrandsPrices.txt"
stop_if_failed

echo "-- faulty settings fail in check mode; new settings restart the kiosk"
cp "$playbook/files/pellory.conf" "$work/good-settings.conf"
printf 'IdleResetSecnds=300\n' >>"$playbook/files/pellory.conf"
play settings-check --check --tags config
[ "$played" -ne 0 ] || { show_log settings-check; fail "check mode passes a misspelt setting"; }
cp "$work/good-settings.conf" "$playbook/files/pellory.conf"
printf 'IdleResetSeconds=300\n' >>"$playbook/files/pellory.conf"
play settings --tags config
[ "$played" -eq 0 ] || { show_log settings; fail "the settings run fails"; }
for name in "${Kiosks[@]}"; do
    expect_recap settings "$name" 'failed=0' 'changed=[12] '
    [ "$(main_pid "$name")" != "${started_as[$name]}" ] || fail "$name: new settings did not restart the kiosk"
    on "$name" pellory --check 2>&1 | grep -qx '  IdleResetSeconds=300' || fail "$name: the new settings are not in use"
    [ "$(on "$name" pgrep -c -u kiosk -x pellory)" = 1 ] || fail "$name: not one program under cage after the restart"
    started_as[$name]=$(main_pid "$name")
done
stop_if_failed

echo "-- a rebuilt package of the same version is installed"
rebuilt="$work/rebuilt"
dpkg-deb -R "$deb" "$rebuilt"
printf 'rebuilt\n' >"$rebuilt/usr/share/doc/pellory/rebuilt"
(cd "$rebuilt" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | xargs -0 md5sum >DEBIAN/md5sums)
dpkg-deb --root-owner-group -b "$rebuilt" "$playbook/files/pellory.deb" >/dev/null
play rebuilt --tags package
[ "$played" -eq 0 ] || { show_log rebuilt; fail "the run with the rebuilt package fails"; }
for name in "${Kiosks[@]}"; do
    on "$name" test -f /usr/share/doc/pellory/rebuilt || fail "$name: the rebuilt package was not installed"
    [ "$(main_pid "$name")" != "${started_as[$name]}" ] || fail "$name: the rebuilt package did not restart the kiosk"
    started_as[$name]=$(main_pid "$name")
done
play rebuilt-again
[ "$played" -eq 0 ] || { show_log rebuilt-again; fail "the run after the rebuilt package fails"; }
for name in "${Kiosks[@]}"; do expect_recap rebuilt-again "$name" 'changed=0' 'failed=0'; done
stop_if_failed

echo "-- a kiosk that fails stops the roll-out, saying why"
on kiosk1 sh -c 'rm /etc/pellory/staff-password && mkdir /etc/pellory/staff-password'
printf '"Halted Brand",61,62,63,64,65\r\n' >>"$playbook/files/BrandsPrices.txt"
before=$(on kiosk2 sha256sum /etc/pellory/BrandsPrices.txt | cut -c1-12)
play halted
[ "$played" -ne 0 ] || fail "a run where a kiosk fails reports success"
expect_recap halted kiosk1 'failed=1'
grep -q "refused the password in pellory_staff_password (vault_pellory_staff_password): pellory: Could not write /etc/pellory/staff-password: Is a directory" \
    "$work/halted.log" || { show_log halted; fail "the refused password is not reported with the program's reason"; }
! grep -q "$Password" "$work/halted.log" || fail "the run's output shows the password"
[ "$(on kiosk2 sha256sum /etc/pellory/BrandsPrices.txt | cut -c1-12)" = "$before" ] \
    || fail "kiosk2 was changed after kiosk1 failed"
on kiosk1 rmdir /etc/pellory/staff-password
stop_if_failed

echo "-- a stopped machine is reported unreachable while the others update"
stop_machine kiosk3
printf '"Late Brand",61,62,63,64,65\r\n' >>"$playbook/files/south/BrandsPrices.txt"
printf '"Late Brand",61,62,63,64,65\r\n' >>"$playbook/files/BrandsPrices.txt"
shop_digest=$(digest "$playbook/files/BrandsPrices.txt")
south_digest=$(digest "$playbook/files/south/BrandsPrices.txt")
play unreachable
[ "$played" -ne 0 ] || fail "a run with a stopped machine reports success"
expect_recap unreachable kiosk3 'unreachable=1'
for name in kiosk1 kiosk2; do
    expect_recap unreachable "$name" 'failed=0' 'unreachable=0'
    wait_until 30 shows_digest "$name" "$shop_digest" || fail "$name: no new prices while kiosk3 was off"
done
boot_machine kiosk3
wait_until 90 reachable kiosk3 || fail "kiosk3 did not come back"
wait_until 60 shows_digest kiosk3 "$(printf '%s' "$(on kiosk3 sha256sum /etc/pellory/BrandsPrices.txt)" | cut -c1-12)" \
    || fail "kiosk3: the kiosk did not start at boot: $(status_text kiosk3)"
play catch-up --limit kiosk3
[ "$played" -eq 0 ] || { show_log catch-up; fail "the catch-up run fails"; }
wait_until 30 shows_digest kiosk3 "$south_digest" || fail "kiosk3 did not catch up: $(status_text kiosk3)"
stop_if_failed

echo "-- the status of every kiosk"
play status --tags status
[ "$played" -eq 0 ] || { show_log status; fail "the status run fails"; }
for name in "${Kiosks[@]}"; do
    report=$(sed -n "/ok: \\[$name\\] => {/,/^}/p" "$work/status.log")
    for said in "service: active (running)" "version: $version" "SHA-256" "the one shown" \
                "password: The staff password is the shop's own" "last reload: "; do
        grep -qF -- "$said" <<<"$report" || fail "$name: the status report lacks '$said': $report"
    done
done
stop_if_failed

echo "The playbook, run $runs times, sets up three booted Debian 12 machines as kiosks and keeps them alike."
