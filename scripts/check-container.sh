#!/usr/bin/env bash
# Builds the container image (scripts/container-image.sh: no registry needed), runs `vext-cli processor`
# and `vext-cli bench cache --json` in it with podman, and compares them with the same commands run on
# this machine by the build's own vext-cli: the processor's facts must be equal (all but the two
# measured clocks), and the cache result must have the same form (keys, rows, units) and name the same
# processor, Vext version and kernel; its timings are not compared. Run as root.
#
# Usage: scripts/check-container.sh [IMAGE]      (default: the image container-image.sh builds)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/podman.sh
image=${1:-$(scripts/container-image.sh)}
host=build/release/vext-cli
out=$(mktemp -d /tmp/vext-check-container.XXXXXX)
trap 'rm -rf "$out"' EXIT

in_image() {
    # shellcheck disable=SC2046  # the limits are separate options
    vext_podman run --rm $(vext_podman_limits) "$image" "$@"
}
# shellcheck disable=SC2046  # the limits are separate options
echo "== $image: $(in_image --version) as user $(vext_podman run --rm --entrypoint id $(vext_podman_limits) "$image" -un)"
clockless() { grep -vE '^(Measured|Running) clock '; }
in_image processor | clockless > "$out/image-processor"
"$host" processor | clockless > "$out/host-processor"
status=0
if diff -u "$out/host-processor" "$out/image-processor"; then
    echo "== vext-cli processor: the same $(wc -l < "$out/host-processor") lines of facts in the image and on the host"
else
    echo "== vext-cli processor: the image's facts differ from the host's (above)"; status=1
fi

in_image bench cache --json > "$out/image-cache.json"
"$host" bench cache --json > "$out/host-cache.json"
python3 - "$out/host-cache.json" "$out/image-cache.json" <<'PY' || status=1
import json, sys
host, image = (json.load(open(path)) for path in sys.argv[1:])
def form(result):
    """What must match: the keys, each row but its measurement, and the run's identity but its time."""
    run = dict(result["run"]); run.pop("utc")
    rows = [{k: v for k, v in row.items() if k not in ("value", "text")} for row in result["rows"]]
    return {"keys": sorted(result), "row_keys": sorted({k for row in result["rows"] for k in row}),
            "rows": rows, "run": run, "kind": result["kind"]}
differ = [key for key in form(host) if form(host)[key] != form(image)[key]]
for key in differ:
    print(f"bench cache --json: {key} differs\n  host:  {form(host)[key]}\n  image: {form(image)[key]}")
if differ:
    sys.exit(1)
print(f"== vext-cli bench cache --json: the same form in the image and on the host: {len(host['rows'])} rows, "
      f"processor {host['run']['processor']}")
PY
exit $status
