#!/usr/bin/env bash
# The example playbook for many kiosks (deploy/ansible): its syntax, the
# lint rules, and the price file play run for real against this machine
# into a temporary folder, with the built program as the check: a faulty
# file is refused and the one in place stays byte for byte, a good file
# arrives, and a second run changes nothing. Ansible's own files go into
# the temporary folder too.
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
        -e pellory_price_file="$work/shop/BrandsPrices.txt" -e "pellory_check_command='$build/src/pellory --check %s'"
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
grep -q 'failed to validate' "$work/faulty.log" || { cat "$work/faulty.log"; exit 1; }
cmp data/BrandsPrices.txt "$work/etc/BrandsPrices.txt"
echo "The playbook refuses a faulty price file, puts a good one in place, and is idempotent."
