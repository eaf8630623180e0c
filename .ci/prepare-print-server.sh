#!/usr/bin/env bash
# CI only, as root on a throwaway machine: a CUPS server with two PDF queues, so that the
# print tests can print through a real printer queue. It installs CUPS and cups-pdf,
# starts the scheduler when none runs, and adds the queues "Plivane-PDF" and
# "Plivane-Refus", whose PDFs land in /var/spool/cups-pdf/<user>, and the queue
# "Plivane-Sans-A4", which offers no paper but US Letter (.ci/plivane-sans-a4.ppd) and
# throws its jobs away, for the paper-size probe. The tests stop "Plivane-Refus" and make
# it refuse jobs, to see what the program says; "Plivane-PDF" stays ready for every other
# test, and is the default queue. Running it again changes nothing more, except that the
# PDF queues are left ready.
# Do not run it on your own machine: it configures the system's print server.
set -euo pipefail
export LC_ALL=C  # the CUPS tools' answers are read below

queues=(Plivane-PDF Plivane-Refus)
packages=(cups cups-client printer-driver-cups-pdf)

if [ "$(id -u)" -ne 0 ]; then
  echo "prepare-print-server: must run as root (CI only); nothing done." >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Every user's PDFs in one known place, root's included, rather than in home folders.
conf=/etc/cups/cups-pdf.conf
if ! grep -q '^Out /var/spool/cups-pdf/\${USER}$' "$conf"; then
  sed -i -E 's|^#?Out .*|Out /var/spool/cups-pdf/${USER}|' "$conf"
fi

# lpstat -r succeeds either way; its answer says whether the scheduler runs.
scheduler_running() {
  lpstat -r 2>/dev/null | grep -q '^scheduler is running'
}

# The backend reads its configuration at each job: a running scheduler needs no restart.
if ! scheduler_running; then
  /usr/sbin/cupsd
fi
for _ in $(seq 1 30); do
  scheduler_running && break
  sleep 1
done
if ! scheduler_running; then
  echo "prepare-print-server: the CUPS scheduler did not start." >&2
  exit 1
fi

model=
for queue in "${queues[@]}"; do
  if ! lpstat -v "$queue" >/dev/null 2>&1; then
    [ -n "$model" ] || model=$(lpinfo -m | awk '/CUPS-PDF_opt\.ppd/ { print $1; exit }')
    [ -n "$model" ] || model=$(lpinfo -m | awk '/CUPS-PDF/ { print $1; exit }')
    if [ -z "$model" ]; then
      echo "prepare-print-server: no cups-pdf printer model found." >&2
      exit 1
    fi
    lpadmin -p "$queue" -E -v cups-pdf:/ -m "$model" -o PageSize=A4
  fi
  cupsenable "$queue"
  cupsaccept "$queue"
  lpstat -v "$queue"
done

no_a4_queue=Plivane-Sans-A4
if ! lpstat -v "$no_a4_queue" >/dev/null 2>&1; then
  lpadmin -p "$no_a4_queue" -E -v file:///dev/null -P "$(dirname "$0")/plivane-sans-a4.ppd"
fi
lpstat -v "$no_a4_queue"

# A program that asks for no printer in particular gets the ready queue, whatever other
# queues the tests add beside it.
lpadmin -d Plivane-PDF
