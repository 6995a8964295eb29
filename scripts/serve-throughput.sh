#!/usr/bin/env bash
# Times `quillmere serve` with 2 workers against `quillmere batch -j 2` over the same 40 small
# corpus decks, posted at once, XML only and with images; then the service's memory (its own
# process, and with its workers) after 50 and after 500 requests. Prints raw times in seconds.
#
# usage: scripts/serve-throughput.sh [TOOL]   (default build/release/quillmere)
# QUILLMERE_CORPUS_DIR: the deck corpus (default tests/decks).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$(realpath "${1:-build/release/quillmere}")
corpus=${QUILLMERE_CORPUS_DIR:-tests/decks}
work=$(mktemp -d)
trap 'kill "${service:-0}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

# The 40 smallest decks that the tool exports without a failure.
decks=()
for deck in $(ls -Sr "$corpus"/*.pptx); do
  "$tool" --no-images presentation "$deck" -o "$work/probe" >/dev/null 2>&1 && decks+=("$deck")
  rm -rf "$work/probe"
  ((${#decks[@]} < 40)) || break
done

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

start_service() {  # $@: global options
  "$tool" "$@" serve --listen 127.0.0.1:0 --workers 2 --queue 1000 --data "$work/data" >"$work/serve.out" &
  service=$!
  until grep -q 'serving on' "$work/serve.out" 2>/dev/null; do sleep 0.1; done
  base=$(grep -o 'http://[0-9.:]*' "$work/serve.out")
  until curl -sf "$base/healthz" >/dev/null; do sleep 0.1; done
}

stop_service() { kill -TERM "$service"; wait "$service" || true; rm -rf "$work/data"; }

# Posts the decks at once, follows every export until it ends, and deletes them: one client process
# on kept-alive connections, so that the client takes as little of the 2 cores as it can. It prints
# the seconds from the first post to the last end; its own start and the deletion are not counted,
# as the batch's time counts no removal of its folders either.
post_all() {
  # Debian's own Python: a version manager's shim for python3 can take a second to start.
  /usr/bin/python3 - "$base" "$@" <<'PYTHON'
import http.client, json, sys, threading, time, urllib.parse, uuid
base, decks = urllib.parse.urlsplit(sys.argv[1]), sys.argv[2:]
def connection():
    return http.client.HTTPConnection(base.hostname, base.port, timeout=600)
bodies = []
for deck in decks:
    boundary = uuid.uuid4().hex
    with open(deck, 'rb') as f:
        bodies.append((boundary, f'--{boundary}\r\nContent-Disposition: form-data; name="deck"; filename="d.pptx"\r\n\r\n'.encode()
                       + f.read() + f'\r\n--{boundary}--\r\n'.encode()))
def post(index, ids):
    boundary, body = bodies[index]
    c = connection()
    c.request('POST', '/v1/exports', body, {'Content-Type': f'multipart/form-data; boundary={boundary}'})
    ids[index] = json.loads(c.getresponse().read())['id']
ids = [None] * len(decks)
posting = [threading.Thread(target=post, args=(i, ids)) for i in range(len(decks))]
begin = time.monotonic()
for t in posting: t.start()
for t in posting: t.join()
c = connection()
for i in ids:
    while True:  # a wait ends after 30 s even when the export has not
        c.request('GET', f'/v1/exports/{i}?wait=30')
        if json.loads(c.getresponse().read())['state'] in ('done', 'failed'): break
print(f'{time.monotonic() - begin:.2f}')
for i in ids:
    c.request('DELETE', f'/v1/exports/{i}')
    c.getresponse().read()
PYTHON
}

rss_kb() {  # the service's own, and with every process below it (workers, renderers, LibreOffice)
  ps -e -o pid=,ppid=,rss= | awk -v root="$service" '
    { parent[$1] = $2; rss[$1] = $3 }
    END {
      for (pid in parent) {
        for (p = pid; p != "" && p != root && p > 1; p = parent[p]) {}
        if (p == root) total += rss[pid]
      }
      printf "service %d kB, with workers %d kB\n", rss[root], total
    }'
}

echo "decks: ${#decks[@]} (the smallest of $corpus that export)"
for images in no yes; do
  options=()
  [[ $images == no ]] && options=(--no-images)
  begin=$(now)
  "$tool" "${options[@]}" batch -j 2 -o "$work/batch" "${decks[@]}" >/dev/null 2>&1 || true
  echo "images=$images batch -j 2: $(seconds "$begin" "$(now)") s"
  rm -rf "$work/batch"
  start_service "${options[@]}"
  echo "images=$images serve, 2 workers, 40 posted at once: $(post_all "${decks[@]}") s"
  stop_service
done

start_service --no-images
post_all "${decks[@]}" >/dev/null; post_all "${decks[@]:0:10}" >/dev/null
echo "after 50 requests: $(rss_kb)"
for round in $(seq 11); do post_all "${decks[@]}" >/dev/null; done
post_all "${decks[@]:0:10}" >/dev/null
echo "after 500 requests: $(rss_kb)"
stop_service
