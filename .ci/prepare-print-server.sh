#!/usr/bin/env bash
# CI only, as root on a throwaway machine: a CUPS server with two PDF queues, so that the
# print tests can print through a real printer queue. It installs CUPS and cups-pdf,
# starts the scheduler when none runs, and adds the queues "Plivane-PDF" and
# "Plivane-Refus", whose PDFs land in /var/spool/cups-pdf/<user>, and the queue
# "Plivane-Sans-A4", which offers no paper but US Letter (.ci/plivane-sans-a4.ppd) and
# throws its jobs away, for the paper-size probe.
#
# Beside them, printers nobody here wrote: three IPP Everywhere printers simulated by
# CUPS's ippeveprinter (.ci/imprimantes/*.conf: an inkjet taking PDF with envelopes in its
# multi-purpose tray, a laser taking PWG raster with an envelope feeder, a US-Letter-only
# printer, an inkjet that cannot print the top 12.7 mm of a sheet), each behind a queue
# made as a desktop makes one ("lpadmin -m everywhere"): "Plivane-Jet-Encre",
# "Plivane-Laser", "Plivane-Lettre", "Plivane-Marges". Each keeps what it receives in
# /var/spool/plivane/imprimantes/<name>/, every document beside its job's attributes
# (.ci/imprimantes/recoit.sh), and cancels a job asking for a source not listed in
# /var/spool/plivane/imprimantes/bacs-<name>; "Plivane-Laser-Detache" is the laser behind
# a queue that does not wait for its jobs. And "Plivane-Brother", a Brother
# HL-L2340D through Debian's brlaser driver, whose output goes to
# /var/spool/plivane/brother.prn. The tests stop "Plivane-Refus" and make
# it refuse jobs, to see what the program says; "Plivane-PDF" stays ready for every other
# test, and is the default queue. Running it again changes nothing more, except that the
# PDF queues are left ready.
# Do not run it on your own machine: it configures the system's print server.
set -euo pipefail
export LC_ALL=C  # the CUPS tools' answers are read below

queues=(Plivane-PDF Plivane-Refus)
packages=(cups cups-client printer-driver-cups-pdf cups-ipp-utils dbus-daemon printer-driver-brlaser)

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

# The driver queue's output goes to a file, which CUPS allows only when told to.
files_conf=/etc/cups/cups-files.conf
restart=
if ! grep -q '^FileDevice Yes' "$files_conf"; then
  sed -i -E '/^#?FileDevice /d' "$files_conf"
  echo 'FileDevice Yes' >>"$files_conf"
  restart=yes
fi

# lpstat -r succeeds either way; its answer says whether the scheduler runs.
scheduler_running() {
  lpstat -r 2>/dev/null | grep -q '^scheduler is running'
}

# The backend reads its configuration at each job: a running scheduler needs no restart,
# unless the scheduler's own files changed.
if [ -n "$restart" ] && scheduler_running; then
  pkill -x cupsd || true
  for _ in $(seq 1 30); do
    scheduler_running || break
    sleep 1
  done
fi
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

# Jobs an earlier run left behind would be printed in the middle of the tests.
cancel -a -x 2>/dev/null || true

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

# The simulated printers. ippeveprinter wants a D-Bus system bus for its service
# announcements even when told to make none: it gets a private one.
here=$(cd "$(dirname "$0")" && pwd)
spool=/var/spool/plivane
mkdir -p /run/plivane "$spool/imprimantes"
chmod 1777 "$spool"
bus=unix:path=/run/plivane/bus
# A bus left by an earlier run on this machine may be a socket with no daemon behind it:
# asked, it must answer.
if ! dbus-send --bus="$bus" --dest=org.freedesktop.DBus --print-reply / \
  org.freedesktop.DBus.GetId >/dev/null 2>&1; then
  rm -f /run/plivane/bus
  dbus-daemon --session --address="$bus" --fork --nopidfile
fi
listening() {
  (exec 3<>"/dev/tcp/localhost/$1") 2>/dev/null
}
port=8630
for printer in jet-encre:Jet-Encre:auto,main,by-pass-tray laser:Laser:auto,main,envelope \
  lettre:Lettre:auto,main marges:Marges:auto,main,by-pass-tray; do
  IFS=: read -r name queue sources <<<"$printer"
  port=$((port + 1))
  mkdir -p "$spool/imprimantes/$name"
  tr ',' '\n' <<<"$sources" >"$spool/imprimantes/bacs-$name"
  if ! listening "$port"; then
    DBUS_SYSTEM_BUS_ADDRESS=$bus setsid ippeveprinter -r off -k -c "$here/imprimantes/recoit.sh" \
      -d "$spool/imprimantes/$name" -a "$here/imprimantes/$name.conf" -p "$port" "Plivane-$name" \
      >"$spool/imprimantes/$name.log" 2>&1 </dev/null &
    for _ in $(seq 1 30); do
      listening "$port" && break
      sleep 1
    done
    if ! listening "$port"; then
      echo "prepare-print-server: the simulated printer $name did not start:" >&2
      cat "$spool/imprimantes/$name.log" >&2
      exit 1
    fi
  fi
  # lpadmin reports success even when it could not make the queue's driver from what the
  # printer says, and the server writes that driver after lpadmin has returned: the
  # driver file is the proof.
  if [ ! -s "/etc/cups/ppd/Plivane-$queue.ppd" ]; then
    lpadmin -p "Plivane-$queue" -E -v "ipp://127.0.0.1:$port/ipp/print" -m everywhere
    for _ in $(seq 1 30); do
      [ -s "/etc/cups/ppd/Plivane-$queue.ppd" ] && break
      sleep 1
    done
  fi
  if [ ! -s "/etc/cups/ppd/Plivane-$queue.ppd" ]; then
    echo "prepare-print-server: no queue could be made for the simulated printer $name." >&2
    exit 1
  fi
  cupsenable "Plivane-$queue"
  cupsaccept "Plivane-$queue"
  lpstat -v "Plivane-$queue"
done

# The laser again, behind a queue that does not wait for its jobs, as some set-ups make
# them: the server reports each job completed once sent, whatever the printer does with it.
if ! lpstat -v Plivane-Laser-Detache >/dev/null 2>&1; then
  lpadmin -p Plivane-Laser-Detache -E -v "ipp://127.0.0.1:8632/ipp/print?waitjob=false" \
    -P /etc/cups/ppd/Plivane-Laser.ppd
fi
cupsenable Plivane-Laser-Detache
cupsaccept Plivane-Laser-Detache
lpstat -v Plivane-Laser-Detache

if [ ! -s /etc/cups/ppd/Plivane-Brother.ppd ]; then
  model=$(lpinfo -m | awk '/HL-L2340D/ { print $1; exit }')
  lpadmin -p Plivane-Brother -E -v "file://$spool/brother.prn" -m "$model"
fi
cupsenable Plivane-Brother
cupsaccept Plivane-Brother
lpstat -v Plivane-Brother

# A program that asks for no printer in particular gets the ready queue, whatever other
# queues the tests add beside it.
lpadmin -d Plivane-PDF

# Each simulated printer must print, through its queue, before any test relies on it: a
# job that does not end says why here rather than as sixty seconds of waiting in a test.
printf 'Plivane\n' >"$spool/essai.txt"
for queue in Jet-Encre Laser Lettre Marges; do
  job=$(lp -d "Plivane-$queue" -t "preparation" "$spool/essai.txt" | sed -n 's/.*Plivane-[A-Za-z-]*-\([0-9]*\).*/\1/p')
  for _ in $(seq 1 60); do
    lpstat -o "Plivane-$queue" | grep -q "Plivane-$queue-$job " || break
    sleep 1
  done
  if lpstat -o "Plivane-$queue" | grep -q "Plivane-$queue-$job "; then
    echo "prepare-print-server: the job sent to Plivane-$queue did not end." >&2
    "$here/diagnostic-impression.sh" >&2
    exit 1
  fi
done
