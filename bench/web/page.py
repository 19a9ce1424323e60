"""The page's check of a CSV file in headless chromium, in seconds (bench/README.md, "The npm package"):
python3 page.py DIST FILE.csv RUNS. The time from the click on Check to the counts shown, the file already picked."""
import functools
import os
import http.server
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

dist, path, runs = sys.argv[1], os.path.realpath(sys.argv[2]), int(sys.argv[3]) if len(sys.argv) > 3 else 3


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


handler = functools.partial(Quiet, directory=dist)
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
with tempfile.TemporaryDirectory() as profile:
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    state = lambda d: d.execute_script("return document.body.dataset.state")
    try:
        driver.get(f"http://127.0.0.1:{server.server_address[1]}/index.html")
        WebDriverWait(driver, 60).until(lambda d: state(d) == "ready")
        driver.find_element(By.ID, "file").send_keys(path)
        WebDriverWait(driver, 60).until(lambda d: state(d) == "header")
        times = []
        for _ in range(runs):
            start = time.perf_counter()
            driver.find_element(By.ID, "check").click()
            WebDriverWait(driver, 600, poll_frequency=0.02).until(lambda d: state(d) in ("done", "failed"))
            times.append(time.perf_counter() - start)
            assert state(driver) == "done", driver.find_element(By.ID, "message").text
        message = driver.find_element(By.ID, "message").text
    finally:
        driver.quit()
        server.shutdown()
times.sort()
print(f"the page, {message} median {times[len(times) // 2]:.2f} s  ({' '.join(f'{t:.2f}' for t in times)})")
