#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Takes the README's picture of the preflight page: starts quillform-web on a
free loopback port, loads a drawing in headless Chromium (Selenium) and saves
a screenshot.

usage: web_screenshot.py QUILLFORM_WEB DRAWING OUT.png [QUERY]
       (QUERY: settings to set first, as name=value&...; for example units=mm)"""
import re
import signal
import subprocess
import sys
from pathlib import Path
from urllib.parse import parse_qsl

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait


def main():
    server, drawing, out = sys.argv[1], Path(sys.argv[2]).resolve(), sys.argv[3]
    settings = dict(parse_qsl(sys.argv[4])) if len(sys.argv) > 4 else {}
    process = subprocess.Popen([server, "--listen", "127.0.0.1:0"], stdout=subprocess.PIPE,
                               text=True)
    port = re.search(r"127\.0\.0\.1:(\d+)/", process.stdout.readline()).group(1)
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1400,900",
                     "--hide-scrollbars"):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.get(f"http://127.0.0.1:{port}/")
        WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "server").text)
        for name, value in settings.items():
            field = driver.find_element(By.NAME, name)
            if field.tag_name == "select":
                driver.execute_script("arguments[0].value = arguments[1]", field, value)
            else:
                field.send_keys(value)
        driver.find_element(By.ID, "file").send_keys(str(drawing))
        WebDriverWait(driver, 30).until(
            lambda d: d.find_element(By.ID, "status").text.startswith(drawing.name + ":"))
        driver.save_screenshot(out)
    finally:
        driver.quit()
        process.send_signal(signal.SIGTERM)
        process.wait(timeout=20)
    return 0


if __name__ == "__main__":
    sys.exit(main())
