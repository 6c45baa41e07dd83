#!/usr/bin/env bash
# The example playbook for many kiosks (deploy/ansible): its syntax, the
# lint rules, and the price file play run for real against this machine
# into a temporary folder, with the built program as the check: a faulty
# file is refused and the one in place stays byte for byte, a good file
# arrives, and a second run changes nothing. Then the staff password's
# play, with a stand-in for the program in the temporary folder: only a
# quoted string of 6 to 12 digits reaches the program, a missing or
# misshapen one fails with a message naming the variable (never the value),
# and a password the program refuses fails with the program's reason.
# Ansible's own files go into the temporary folder too. The playbook on real
# machines is 70-fleet.sh.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
cd "$root"
require_built src/pellory

make_work_folder
export HOME="$work/home" ANSIBLE_LOCAL_TEMP="$work/ansible/local" ANSIBLE_REMOTE_TEMP="$work/ansible/remote" \
    ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0 ANSIBLE_DEPRECATION_WARNINGS=0
mkdir -p "$HOME" "$work/etc" "$work/shop"
playbook=deploy/ansible

echo "-- syntax"
ansible-playbook --syntax-check -i "$playbook/inventory.example.ini" "$playbook/site.yml"
echo "-- lint"
(cd "$playbook" && ansible-lint --offline --nocolor site.yml)

printf '[kiosks]\nlocalhost ansible_connection=local ansible_python_interpreter=/usr/bin/python3\n' >"$work/inventory.ini"
prices_play() {
    ansible-playbook -i "$work/inventory.ini" "$playbook/site.yml" --tags prices \
        -e ansible_become=false -e pellory_config_dir="$work/etc" -e pellory_files_owner="$(id -un)" \
        -e pellory_price_file="$work/shop/BrandsPrices.txt" -e pellory_program="$build/src/pellory"
}
recap() { grep -E '^localhost +:' "$1"; }

echo "-- a good file arrives"
cp data/BrandsPrices.txt "$work/shop/BrandsPrices.txt"
prices_play >"$work/first.log" || { cat "$work/first.log"; exit 1; }
recap "$work/first.log" | grep -q 'changed=1' || { cat "$work/first.log"; echo "the price file was not put in place" >&2; exit 1; }
cmp data/BrandsPrices.txt "$work/etc/BrandsPrices.txt"

echo "-- a second run changes nothing"
prices_play >"$work/second.log" || { cat "$work/second.log"; exit 1; }
recap "$work/second.log" | grep -q 'changed=0' || { cat "$work/second.log"; echo "a second run changed something" >&2; exit 1; }

echo "-- a faulty file is refused and the one in place stays"
printf '"Stridewell",65,80,55,90\n' >"$work/shop/BrandsPrices.txt"
if prices_play >"$work/faulty.log"; then
    cat "$work/faulty.log"; echo "the faulty price file was not refused" >&2; exit 1
fi
grep -q 'Line 1 has 5 fields' "$work/faulty.log" || { cat "$work/faulty.log"; exit 1; }
cmp data/BrandsPrices.txt "$work/etc/BrandsPrices.txt"

# The stand-in keeps what it read and answers as the program does, refusing
# one password that has the right form.
cat >"$work/pellory" <<'STANDIN'
#!/bin/sh
read -r password
printf '%s\n' "$password" >>"${0%/*}/passwords-read"
[ "$password" != 999999 ] || { echo "pellory: Could not write /etc/pellory/staff-password: Read-only file system. Nothing was changed." >&2; exit 1; }
echo "pellory: The shop's own staff password is set in /etc/pellory/staff-password; the staff exit takes it from now on." >&2
STANDIN
chmod +x "$work/pellory"
# password_play VAULT: the password play with VAULT as the vault's text.
password_play() {
    printf '%s\n' "$1" >"$work/vault.yml"
    rm -f "$work/passwords-read"
    ansible-playbook -i "$work/inventory.ini" "$playbook/site.yml" --tags password \
        -e ansible_become=false -e pellory_program="$work/pellory" -e @"$work/vault.yml"
}
# vault's text | passes or fails | what the output must say | what the stand-in must have read
password_cases=(
    'vault_pellory_staff_password: "01234567"|passes|changed=1|01234567'
    'vault_pellory_staff_password: 01234567|fails|vault_pellory_staff_password|'
    'vault_pellory_staff_password: 123456|fails|must be 6 to 12 digits in quotes|'
    'vault_pellory_staff_password: "12ab56"|fails|vault_pellory_staff_password|'
    'vault_pellory_staff_password: "12345"|fails|must be 6 to 12 digits in quotes|'
    'other_variable: 1|fails|pellory_staff_password is not set|'
    'vault_pellory_staff_password: "999999"|fails|Read-only file system|999999'
)
echo "-- the staff password reaches the program only as typed"
for case in "${password_cases[@]}"; do
    IFS='|' read -r vault outcome said read_by_program <<<"$case"
    status=passes
    password_play "$vault" >"$work/password.log" 2>&1 || status=fails
    value=$(sed -n 's/^[^:]*: *"\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' <<<"$vault")
    problem=""
    [ "$status" = "$outcome" ] || problem="the play $status"
    grep -qF -- "$said" "$work/password.log" || problem="the output does not say '$said'"
    [ "$(cat "$work/passwords-read" 2>/dev/null)" = "$read_by_program" ] \
        || problem="the program read '$(cat "$work/passwords-read" 2>/dev/null)'"
    # The value never shows, nor what YAML made of it (01234567 read as octal).
    for shown in "$value" 342391; do
        [ "$shown" = 1 ] || ! grep -qF -- "$shown" <(grep -v '^ok: \|^changed: ' "$work/password.log") \
            || problem="the output shows the password"
    done
    if [ -n "$problem" ]; then
        cat "$work/password.log"; echo "with $vault: $problem" >&2; exit 1
    fi
done
echo "The playbook refuses a faulty price file, puts a good one in place, and is idempotent;" \
     "the staff password reaches the program only as a quoted string of 6 to 12 digits, and a refusal says why."
