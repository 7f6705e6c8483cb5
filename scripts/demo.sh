#!/usr/bin/env bash
# The main job: builds everything, starts the bundled stand-in marketplace on
# fixed loopback ports, collects products with vendquill-cli (single product
# addresses and a whole shop) and generates a Taobao Assistant package from
# them. Prints where the package went.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build_dir=${VQ_BUILD_DIR:-build}
cli="$build_dir/src/cli/vendquill-cli"
market="$build_dir/tools/marketplace/vq-marketplace"

demo=${VQ_DEMO_DIR:-"$PWD/demo-output"}
rm -rf "$demo"
mkdir -p "$demo"
http_port=${VQ_DEMO_HTTP_PORT:-18080}
https_port=${VQ_DEMO_HTTPS_PORT:-18443}

"$market" --http-port "$http_port" --https-port "$https_port" \
  --endpoints-out "$demo/endpoints.ini" --certificate-out "$demo/stand-in.pem" > "$demo/marketplace.log" 2>&1 &
market_pid=$!
trap 'kill "$market_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [[ -s "$demo/stand-in.pem" && -s "$demo/endpoints.ini" ]] && break
  sleep 0.1
done

run_cli() { "$cli" --home "$demo/home" --endpoints "$demo/endpoints.ini" --trust-cert "$demo/stand-in.pem" "$@"; }

echo "== crawling a shop of three pages into its own list"
run_cli add --mode shop --list "$demo/shop-list.txt" "http://pages3.localhost:$http_port/"
echo "== collecting single products"
run_cli add --mode single --list "$demo/list.txt" \
  "http://127.0.0.1:$http_port/demo/offer/1001000001.html" \
  "http://127.0.0.1:$http_port/demo/offer/1001000004.html" \
  "http://127.0.0.1:$http_port/demo/offer/1001000008.html" \
  "http://127.0.0.1:$http_port/demo/offer/2002000001.html" \
  "http://127.0.0.1:$http_port/demo/offer/2002000002.html"
echo "== generating the data package"
status=0
run_cli generate --list "$demo/list.txt" --out "$demo/package/taobao.csv" --kind taobao --source-link || status=$?
echo
echo "package:        $demo/package/taobao.csv"
echo "picture folder: $demo/package/taobao"
echo "list file (products not copied stay in it): $demo/list.txt"
echo "crawled shop list: $demo/shop-list.txt"
exit "$status"
