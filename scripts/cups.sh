#!/usr/bin/env bash
# Prepares the local print system for the printing tests: starts the print daemon when it is not
# running and adds the PDF queue KorvalinPDF, whose jobs land as PDF files in KV_CUPS_PDF_DIR.
# Sourced by test.sh; safe to run again. Never fails the caller: without a daemon the printing
# tests skip themselves.
export KV_CUPS_PDF_DIR=${KV_CUPS_PDF_DIR:-/var/spool/cups-pdf/korvalin}

# A subshell, so that a failing step never ends a caller running under set -e.
kv_cups_setup() (
  set +e
  command -v lpadmin >/dev/null && [ -x /usr/sbin/cupsd ] || { echo "cups: not installed"; return 0; }
  local sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo -n); fi
  # Every job goes to one known folder, whoever submits it.
  if [ -f /etc/cups/cups-pdf.conf ] && ! grep -qx "Out $KV_CUPS_PDF_DIR" /etc/cups/cups-pdf.conf; then
    "${sudo_cmd[@]}" sed -i -e '/^Out /d' /etc/cups/cups-pdf.conf
    echo "Out $KV_CUPS_PDF_DIR" | "${sudo_cmd[@]}" tee -a /etc/cups/cups-pdf.conf >/dev/null
  fi
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    "${sudo_cmd[@]}" /usr/sbin/cupsd || { echo "cups: the daemon did not start"; return 0; }
    local i
    for i in $(seq 1 50); do
      lpstat -r 2>/dev/null | grep -q 'is running' && break
      sleep 0.2
    done
  fi
  lpstat -r 2>/dev/null | grep -q 'is running' || { echo "cups: the daemon is not answering"; return 0; }
  if ! lpstat -p KorvalinPDF >/dev/null 2>&1; then
    "${sudo_cmd[@]}" lpadmin -p KorvalinPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd ||
      echo "cups: the queue KorvalinPDF could not be added"
  fi
  # The queue makes its folder only with its first job; the printing tests look for it before
  # printing and would skip on a fresh machine.
  "${sudo_cmd[@]}" mkdir -p "$KV_CUPS_PDF_DIR"
  "${sudo_cmd[@]}" chmod 755 "$KV_CUPS_PDF_DIR"
  "${sudo_cmd[@]}" cupsenable KorvalinPDF 2>/dev/null
  "${sudo_cmd[@]}" cupsaccept KorvalinPDF 2>/dev/null
  return 0
)
kv_cups_setup
