# Sourced by the suites that run on a misbehaving stick built in Python (FUSE, through
# python3-fusepy): python_stick_mount <script.py> <mountpoint> [script arguments] mounts
# it and, when the calling script exits, unmounts it and removes $PYTHON_STICK_WORK.
# Fails, never skips, where the machine cannot mount it.
python_stick_mount() {
  local script=$1 mnt=$2
  shift 2
  trap python_stick_unmount EXIT
  [[ $EUID -eq 0 ]] || { echo "FAIL: mounting a FUSE stick here needs root"; exit 1; }
  [[ -c /dev/fuse ]] || { echo "FAIL: /dev/fuse is missing: this machine has no FUSE"; exit 1; }
  for tool in fusermount mountpoint; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (tools/deps.sh installs fuse)"; exit 1; }
  done
  # fusepy lives in the system's Python, which need not be the first python3 on PATH.
  /usr/bin/python3 -c 'import fusepy' 2>/dev/null ||
    { echo "FAIL: /usr/bin/python3 cannot import fusepy (tools/deps.sh installs python3-fusepy)"; exit 1; }
  mkdir -p "$mnt"
  /usr/bin/python3 "$script" "$mnt" "$@" >"$mnt.log" 2>&1 &
  PYTHON_STICK_PID=$!
  PYTHON_STICK_MNT=$mnt
  for _ in $(seq 100); do mountpoint -q "$mnt" && return 0; sleep 0.1; done
  echo "FAIL: $(basename "$script") did not mount:"
  cat "$mnt.log"
  exit 1
}

python_stick_unmount() {
  if [[ -n "${PYTHON_STICK_MNT:-}" ]] && mountpoint -q "$PYTHON_STICK_MNT"; then
    fusermount -u "$PYTHON_STICK_MNT" || fusermount -uz "$PYTHON_STICK_MNT"
  fi
  if [[ -n "${PYTHON_STICK_PID:-}" ]]; then
    kill "$PYTHON_STICK_PID" 2>/dev/null || true
    wait "$PYTHON_STICK_PID" 2>/dev/null || true
  fi
  if [[ -n "${PYTHON_STICK_WORK:-}" ]]; then rm -rf "$PYTHON_STICK_WORK"; fi
}
