#!/bin/bash
# make-payload.sh DIR: makes DIR/payload/, a mixed installer payload of a few
# hundred megabytes, and zips it (Info-ZIP, default level) into DIR/payload.zip.
#   text:       1500 small files (0.5-40 KB) and three large logs (25 MB each)
#   binary:     the system's shared libraries (0.1-20 MB each), up to 80 MB
#   compressed: gzip files of text, and random bytes (8 MB x 6, 1 KB x 300)
set -euo pipefail
dir=${1:?usage: make-payload.sh DIR}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
rm -rf "$dir/payload" "$dir/payload.zip"
mkdir -p "$dir/payload"

python3 - "$dir/payload" <<'PY'
import os, random, sys
root = sys.argv[1]
rng = random.Random(7)
words = ("install setup archive entry folder shortcut registry value window dialog progress "
         "file directory extract inflate checksum volume header record offset size time "
         "attribute read only hidden system the a of to and in is for with on by").split()

def text(n):
    out, size = [], 0
    while size < n:
        line = " ".join(rng.choice(words) for _ in range(rng.randint(4, 14))) + ".\n"
        out.append(line)
        size += len(line)
    return "".join(out)[:n].encode()

for i in range(1500):
    d = os.path.join(root, "docs", f"part{i % 25:02d}")
    os.makedirs(d, exist_ok=True)
    open(os.path.join(d, f"page{i:04d}.txt"), "wb").write(text(rng.randint(512, 40_000)))
os.makedirs(os.path.join(root, "logs"), exist_ok=True)
block = text(1 << 20)
for i in range(3):
    with open(os.path.join(root, "logs", f"server{i}.log"), "wb") as f:
        for j in range(25):
            f.write(f"=== chunk {i}.{j} ===\n".encode() + block[j * 997:] + block[:j * 997])
os.makedirs(os.path.join(root, "media"), exist_ok=True)
for i in range(6):
    open(os.path.join(root, "media", f"video{i}.bin"), "wb").write(os.urandom(8 << 20))
os.makedirs(os.path.join(root, "media", "thumbs"), exist_ok=True)
for i in range(300):
    open(os.path.join(root, "media", "thumbs", f"t{i:03d}.jpg"), "wb").write(os.urandom(1024))
PY

# Binary: real shared libraries, in a few folders.
mkdir -p "$dir/payload/lib"
total=0
for f in $(find /usr/lib/x86_64-linux-gnu -maxdepth 1 -name '*.so*' -type f -size +100k -size -20M | sort); do
  size=$(stat -c %s "$f")
  (( total + size > 80 * 1024 * 1024 )) && break
  sub="$dir/payload/lib/$(basename "$f" | cut -c1-3)"
  mkdir -p "$sub"
  cp "$f" "$sub/"
  total=$(( total + size ))
done

# Already compressed: gzip copies of the logs.
mkdir -p "$dir/payload/archives"
for f in "$dir"/payload/logs/*.log; do gzip -c "$f" > "$dir/payload/archives/$(basename "$f").gz"; done

(cd "$dir" && zip -q -r payload.zip payload)
echo "payload: $(du -sh "$dir/payload" | cut -f1) in $(find "$dir/payload" -type f | wc -l) files; $dir/payload.zip: $(du -h "$dir/payload.zip" | cut -f1)"
