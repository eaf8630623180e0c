#!/usr/bin/env bash
# What the print server and the simulated printers say of themselves, for a CI log: run
# when a job did not end as a test expected.
echo "== queues"
lpstat -t 2>&1 | head -40
echo "== jobs not ended"
lpstat -l -o 2>&1 | head -40
echo "== simulated printers"
ps -o pid,etime,args -C ippeveprinter 2>&1 | cut -c1-160
ps -o pid,etime,args -C dbus-daemon 2>&1 | cut -c1-160
for log in /var/spool/plivane/imprimantes/*.log; do
  echo "== $log"
  grep -v 'Get-Printer-Attributes\|^localhost OK\|^localhost POST\|Client closed' "$log" | tail -15
done
echo "== CUPS errors"
tail -30 /var/log/cups/error_log 2>&1
