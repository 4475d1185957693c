#!/usr/bin/python3
"""The page of `scenc view` in headless Chromium, driven through chromedriver.

Usage: view_browser_test.py SCENC [SCREENSHOT.png]

Writes the embedded scenario's sources, makes its page and checks, in the
browser: no console error, every station's name in the page's text, the
wheel zooming the profile's range, a click on a signal showing the source
line that placed it. Exit 77 (skipped) without Chromium or Selenium.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

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
    m = re.search(r"view km (-?[\d.]+) – (-?[\d.]+)", d.find_element(By.ID, "range").text)
    assert m, d.find_element(By.ID, "range").text
    return float(m.group(1)), float(m.group(2))


def main():
    scenc = sys.argv[1]
    if not os.path.exists(DRIVER):
        print("skipped: chromedriver is not installed")
        return 77
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
            WebDriverWait(d, 20).until(lambda d: "view km" in d.find_element(By.ID, "range").text)

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
            assert "segnale" in d.find_element(By.ID, "details").text

            if len(sys.argv) > 2:
                d.find_element(By.ID, "fit").click()
                d.save_screenshot(sys.argv[2])

            errors = [e for e in d.get_log("browser") if e["level"] == "SEVERE"]
            assert not errors, f"console errors: {errors}"
        finally:
            d.quit()
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
