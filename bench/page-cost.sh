#!/usr/bin/env bash
# CPU share and peak summed PSS of headless Chromium running a default
# simulation on one of the pages for N seconds, measured the way the browser
# floor of any canvas page is measured, so the two compare as ratios; and the
# time from opening the file to the first paint.
# Usage: [SETUP=speed=20] page-cost.sh PAGE.html [seconds]
# SETUP, if set, is the page address's set-up (a speed, say), applied at load.
# Prints: "page cpu_pct=X pss_mb=Y first_paint_ms=Z"
set -u
page=$(realpath "$1"); secs=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
playwright="$here/../tests/web/node_modules/playwright-core/index.mjs"
prof=$(mktemp -d)
port=$(( 9300 + RANDOM % 500 ))
setsid chromium --headless=new --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --remote-debugging-address=127.0.0.1 --remote-debugging-port=$port \
  --user-data-dir="$prof" "file://$page${SETUP:+#$SETUP}" >/dev/null 2>&1 &
pid=$!
sleep 2
# Press Start once, as a class would, and read when the page first painted.
first_paint=$(node --input-type=module -e "
  import { chromium } from '$playwright';
  const browser = await chromium.connectOverCDP('http://127.0.0.1:$port');
  const [page] = browser.contexts()[0].pages();
  await page.waitForSelector('html[data-ready]');
  await page.click('#Command1');
  const paint = await page.evaluate(() =>
    performance.getEntriesByName('first-contentful-paint')[0]?.startTime ?? -1);
  console.log(Math.round(paint));
  process.exit(0);
")
sleep 1
pids() { echo $pid; pgrep -s "$(ps -o sid= -p $pid | tr -d ' ')" 2>/dev/null; }
ticks() { for p in $(pids | sort -u); do awk '{print $14+$15}' /proc/$p/stat 2>/dev/null; done | awk '{s+=$1} END{print s+0}'; }
rss() { for p in $(pids | sort -u); do awk '/^Pss:/{print $2}' /proc/$p/smaps_rollup 2>/dev/null; done | awk '{s+=$1} END{print s+0}'; }
t0=$(ticks); peak=0
for i in $(seq 1 "$secs"); do sleep 1; r=$(rss); [ "$r" -gt "$peak" ] && peak=$r; done
t1=$(ticks); hz=$(getconf CLK_TCK)
all=$(pids | sort -u); kill $all 2>/dev/null; sleep 1; kill -9 $all 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$prof"
awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$secs" -v p="$peak" -v fp="$first_paint" \
  'BEGIN{printf "page cpu_pct=%.2f pss_mb=%.1f first_paint_ms=%s\n", (b-a)/hz/s*100, p/1024, fp}'
