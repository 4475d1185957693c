#!/usr/bin/python3
"""The page of `scenc view` for the long generated line in headless Chromium.

    bench/view_page.py [BUILD_DIR] [ROUNDS]      (defaults: build-bench, 5)

Writes the 1 000 000 m line of bench/long_line.h, makes its page, and
prints the page's size, the median over the rounds of the time from the
page's start to its first picture (a fresh browser tab each round), and of
one whole redraw of both views while zooming from the whole line down to
5 km and back (the cost of a wheel step or a drag). Needs chromium,
chromium-driver and python3-selenium (scripts/install-deps.sh).
"""
import os
import statistics
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

ZOOM = """
const v = window.scenc_view, L = v.state.data.length, times = [];
for (let i = 0; i <= 40; i++) {
  const span = L * Math.pow(5000 / L, 1 - Math.abs(20 - i) / 20);
  const t = performance.now();
  v.setView(L / 2 - span / 2, L / 2 + span / 2);
  v.drawNow();
  times.push(performance.now() - t);
}
return times;
"""


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-bench")
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    with tempfile.TemporaryDirectory(prefix="scenc_view_bench_") as tmp:
        subprocess.run([f"{build}/bin/scen_make_line", tmp, "1000000"], check=True)
        page = os.path.join(tmp, "lunga.html")
        subprocess.run([f"{build}/bin/scenc", "view", "--route", "Lunga", "--train", "B1", "--dir", tmp,
                        "--out", page], check=True, stdout=subprocess.DEVNULL)
        options = Options()
        for a in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                  "--window-size=1400,900"):
            options.add_argument(a)
        d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        first, redraw = [], []
        try:
            for _ in range(rounds):
                d.get("file://" + page)
                WebDriverWait(d, 30).until(
                    lambda d: d.execute_script("return window.scenc_view && window.scenc_view.state.firstPicture"))
                first.append(d.execute_script("return window.scenc_view.state.firstPicture"))
                redraw.extend(d.execute_script(ZOOM))
        finally:
            d.quit()
        print(f"page of the 1 000 km line: {os.path.getsize(page) / 1e6:.2f} MB")
        print(f"first picture: median {statistics.median(first):.0f} ms over {rounds} loads")
        print(f"one redraw while zooming: median {statistics.median(redraw):.1f} ms, "
              f"slowest {max(redraw):.1f} ms over {len(redraw)}")


if __name__ == "__main__":
    main()
