#!/usr/bin/python3
"""The pages of `scenc view` and `scenc serve` in headless Chromium, driven
through chromedriver.

Usage: view_browser_test.py view SCENC [SCREENSHOT.png]
       view_browser_test.py serve SCENC
       view_browser_test.py long SCENC SCEN_MAKE_LINE

view: writes the embedded scenario's sources, makes its page and checks, in
the browser: no console error, every station's name in the page's text, the
wheel zooming the profile's range, a click on a signal showing the source
line that placed it.

long: the page of the 1 000 km line of bench/: station names laid out so
that none covers another at the whole line's zoom, all of them once zoomed
in.

serve: serves the same sources on the loopback address; a path outside the
page's own gets 404; an oversized header gets 431 while a client that sends
its request slowly holds up no other; breaking a source line makes the open
page list the error, mending it clears it, and the page keeps its zoom;
SIGTERM ends the server with status 0, a slow client still connected, and
leaves no file behind.

Exit 77 (skipped) without Chromium or Selenium.
"""
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import urllib.error
import urllib.request

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.options import Options
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("skipped: python3-selenium is not installed")
    sys.exit(77)

ROUTE, TRAIN = "Valcerra_Mosina", "IR20588"
DRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"


def browser():
    options = Options()
    for a in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
              "--window-size=1400,900", "--no-first-run", "--disable-extensions"):
        options.add_argument(a)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    d = webdriver.Chrome(service=Service(DRIVER), options=options)
    d.set_page_load_timeout(30)
    d.set_script_timeout(10)
    return d


def station_names(train_file):
    text = open(train_file, "rb").read().decode("cp1252")
    return [m.group(1).strip() for m in re.finditer(r"^stazione,.*,\s*([^,\r\n]+)\r?$", text, re.M)]


def visible_range(d):
    """The positions at the view's ends, in thousands of metres."""
    m = re.search(r"view (-?\d+) m – (-?\d+) m", d.find_element(By.ID, "range").text)
    assert m, d.find_element(By.ID, "range").text
    return int(m.group(1)) / 1000, int(m.group(2)) / 1000


def station_labels(d, view_id):
    """The station names drawn in a view, with their boxes on the screen."""
    return d.execute_script(
        "return [...document.querySelectorAll('#' + arguments[0] + ' text.station')].map((t) => {"
        " const b = t.getBoundingClientRect(); return [t.textContent, b.left, b.top, b.right, b.bottom]; })",
        view_id)


def assert_apart(view_id, boxes):
    """No two of the boxes overlap."""
    for i, a in enumerate(boxes):
        for b in boxes[i + 1:]:
            assert a[3] <= b[1] or b[3] <= a[1] or a[4] <= b[2] or b[4] <= a[2], (view_id, a, b)


def long_line(scenc, make_line):
    """The 1 000 km line of bench/: at the whole line's zoom, as many station
    names as fit and none covering another, in both views; zoomed in, the
    names of that stretch all shown."""
    with tempfile.TemporaryDirectory(prefix="scenc_view_long_") as tmp:
        subprocess.run([make_line, tmp, "1000000"], check=True, timeout=120, stdout=subprocess.DEVNULL)
        page = os.path.join(tmp, "view.html")
        subprocess.run([scenc, "view", "--route", "Lunga", "--train", "B1", "--dir", tmp, "--out", page],
                       check=True, timeout=120, stdout=subprocess.DEVNULL)
        d = browser()
        try:
            d.get("file://" + page)
            WebDriverWait(d, 30).until(lambda d: "view " in d.find_element(By.ID, "range").text)
            for view_id in ("plan", "profile"):
                boxes = station_labels(d, view_id)
                assert 5 < len(boxes) < 50, (view_id, len(boxes))
                assert_apart(view_id, boxes)
            # Nor does a name on the plan cover a station's dot.
            dots = d.execute_script(
                "return [...document.querySelectorAll('#plan circle[r=\"5\"]')].map((c) => {"
                " const b = c.getBoundingClientRect(); return ['dot', b.left, b.top, b.right, b.bottom]; })")
            assert len(dots) == 50, len(dots)
            for name in station_labels(d, "plan"):
                for dot in dots:
                    assert_apart("plan", [name, dot])
            # 100 km hold five stations, every 20 km from 0.
            d.execute_script("const v = window.scenc_view; v.setView(410000, 510000); v.drawNow();")
            names = sorted(b[0] for b in station_labels(d, "profile"))
            assert names == [f"Stazione {k}" for k in range(22, 27)], names
            errors = [e for e in d.get_log("browser") if e["level"] == "SEVERE"]
            assert not errors, f"console errors: {errors}"
        finally:
            d.quit()
    return 0


def view(scenc, screenshot):
    with tempfile.TemporaryDirectory(prefix="scenc_view_") as tmp:
        subprocess.run([scenc, "sources", "--out", tmp], check=True, timeout=60, stdout=subprocess.DEVNULL)
        page = os.path.join(tmp, "view.html")
        subprocess.run([scenc, "view", "--route", ROUTE, "--train", TRAIN, "--dir", tmp, "--out", page],
                       check=True, timeout=60, stdout=subprocess.DEVNULL)
        names = station_names(os.path.join(tmp, f"{ROUTE}_{TRAIN}-.txt"))
        assert len(names) > 20, names

        d = browser()
        try:
            d.get("file://" + page)
            WebDriverWait(d, 20).until(lambda d: "view " in d.find_element(By.ID, "range").text)

            text = d.find_element(By.TAG_NAME, "body").text
            missing = [n for n in names if n not in text]
            assert not missing, f"station names not in the page's text: {missing}"

            before = visible_range(d)
            profile = d.find_element(By.ID, "profile")
            ActionChains(d).scroll_from_origin(ScrollOrigin.from_element(profile), 0, -600).perform()
            WebDriverWait(d, 10).until(lambda d: visible_range(d) != before)
            after = visible_range(d)
            assert after[1] - after[0] < before[1] - before[0], (before, after)

            signal = d.find_elements(By.CSS_SELECTOR, "#profile circle.signal")
            assert signal, "no signal drawn"
            d.execute_script("arguments[0].dispatchEvent(new MouseEvent('click', {bubbles: true}))", signal[0])
            where = WebDriverWait(d, 10).until(lambda d: d.find_element(By.CSS_SELECTOR, "#details .source-line"))
            m = re.fullmatch(r"(.+):(\d+)", where.text)
            assert m and os.path.dirname(os.path.abspath(os.path.join(tmp, m.group(1)))) == tmp, where.text
            source = open(os.path.join(tmp, m.group(1)), "rb").read().decode("cp1252").splitlines()
            assert source[int(m.group(2)) - 1].startswith("segnale"), source[int(m.group(2)) - 1]
            details = d.find_element(By.ID, "details").text
            assert "segnale" in details
            # A position in metres, its kilometric progressive beside it.
            assert re.search(r"at \d+ m \(km \d+\.\d{3}\)", details), details

            # The search takes a kilometric progressive (VERONA PORTA NUOVA
            # is km 3.150 at 147150 m) or a position in metres.
            for asked, at in (("km 3.150", 147150), ("3.15", 147150), ("46400 m", 46400)):
                d.execute_script("scenc_view.search(arguments[0]);", asked)
                assert d.execute_script("return scenc_view.state.cursor;") == at, asked

            if screenshot:
                d.find_element(By.ID, "fit").click()
                d.save_screenshot(screenshot)

            errors = [e for e in d.get_log("browser") if e["level"] == "SEVERE"]
            assert not errors, f"console errors: {errors}"
        finally:
            d.quit()
    return 0


def replace_in(path, old, new):
    data = open(path, "rb").read()
    assert old in data, old
    open(path, "wb").write(data.replace(old, new))


def status_line(port, request):
    """The first line of the answer to raw request bytes."""
    with socket.create_connection(("127.0.0.1", port), timeout=10) as s:
        s.sendall(request)
        return s.makefile("rb").readline().decode().strip()


def serve(scenc):
    with tempfile.TemporaryDirectory(prefix="scenc_serve_") as tmp:
        subprocess.run([scenc, "sources", "--out", tmp], check=True, timeout=60, stdout=subprocess.DEVNULL)
        before = sorted(os.listdir(tmp))
        train = os.path.join(tmp, f"{ROUTE}_{TRAIN}-.txt")
        server = subprocess.Popen([scenc, "serve", "--route", ROUTE, "--train", TRAIN, "--dir", tmp, "--port", "0"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        d = None
        try:
            url = server.stdout.readline().strip()
            assert re.fullmatch(r"http://127\.0\.0\.1:\d+/", url), url
            try:
                urllib.request.urlopen(url + "elsewhere", timeout=10)
                raise AssertionError("a path outside the page's own was served")
            except urllib.error.HTTPError as e:
                assert e.code == 404, e.code
            port = int(url.rsplit(":", 1)[1].strip("/"))
            slow = socket.create_connection(("127.0.0.1", port), timeout=10)
            slow.sendall(b"GET / HTTP/1.1\r\nHo")
            long_header = b"GET / HTTP/1.1\r\nHost: x\r\nX-Long: " + b"a" * 20000 + b"\r\n\r\n"
            assert status_line(port, long_header) == "HTTP/1.1 431 Request Header Fields Too Large"
            assert status_line(port, b"GET / HTTP/1.1\r\nHost: x\r\n\r\n") == "HTTP/1.1 200 OK"

            d = browser()
            d.get(url)
            status = lambda d: d.find_element(By.ID, "status").text
            WebDriverWait(d, 20).until(lambda d: status(d) == "no errors")
            d.execute_script("scenc_view.setView(40000, 50000); scenc_view.draw();")
            WebDriverWait(d, 10).until(lambda d: visible_range(d) == (40.0, 50.0))

            replace_in(train, b"46400, 12,  500", b"46430, 12,  500")
            WebDriverWait(d, 15).until(lambda d: status(d) == "1 error")
            listed = d.find_element(By.ID, "diagnostics").text
            assert "46430" in listed and f"{TRAIN}-.txt:" in listed, listed
            assert visible_range(d) == (40.0, 50.0), visible_range(d)

            replace_in(train, b"46430, 12,  500", b"46400, 12,  500")
            WebDriverWait(d, 15).until(lambda d: status(d) == "no errors")
            assert "46430" not in d.find_element(By.ID, "diagnostics").text

            errors = [e for e in d.get_log("browser") if e["level"] == "SEVERE"]
            assert not errors, f"console errors: {errors}"
        finally:
            if d:
                d.quit()
            server.send_signal(signal.SIGTERM)
            if "slow" in locals():
                slow.close()
            try:
                code = server.wait(timeout=15)
            except subprocess.TimeoutExpired:
                server.kill()
                raise
        assert code == 0, code
        assert sorted(os.listdir(tmp)) == before, sorted(os.listdir(tmp))
    return 0


def main():
    if not os.path.exists(DRIVER):
        print("skipped: chromedriver is not installed")
        return 77
    if sys.argv[1] == "serve":
        return serve(sys.argv[2])
    if sys.argv[1] == "long":
        return long_line(sys.argv[2], sys.argv[3])
    return view(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else None)


if __name__ == "__main__":
    sys.exit(main())
