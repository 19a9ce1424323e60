"""The page in Debian's headless chromium: served from the build's folder on 127.0.0.1 by a server that is also
the browser's proxy and refuses every request for anywhere else, so that nothing leaves 127.0.0.1; the browser's
trace of the requests its pages and workers sent holds none for anywhere else either; the page's policy refuses a
connection; the page reads a file's header and offers its columns, its delimiter and the rules. A screenshot of
the page after it checked a file is left beside the build (KALDEROS_WEB_SCREENSHOT). The page checks a file: the
counts it shows are the program's, and the file it saves is what the program writes, byte for byte."""
import http.server
import json
import os
import pathlib
import subprocess
import tempfile
import threading
import time
import urllib.parse

import pytest
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

DIST = pathlib.Path(os.environ.get("KALDEROS_WEB_DIST", ""))
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync"]


class Server(http.server.ThreadingHTTPServer):
    """Serves the folder, to the browser directly or as its proxy; records every request for another place."""

    daemon_threads = True

    def __init__(self):
        super().__init__(("127.0.0.1", 0), Handler)
        self.origin = f"http://127.0.0.1:{self.server_address[1]}"
        self.elsewhere = []


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=str(DIST), **kwargs)

    def serves(self):
        """Whether the request is for the folder: a path, or as a proxy's request the server's own URL."""
        if "://" not in self.path:
            return True
        url = urllib.parse.urlsplit(self.path)
        if f"{url.scheme}://{url.netloc}" != self.server.origin:
            self.server.elsewhere.append(f"{self.command} {self.path}")
            self.send_error(502, "only the folder on 127.0.0.1 is served")
            return False
        self.path = url.path + (f"?{url.query}" if url.query else "")
        return True

    def do_GET(self):
        if self.serves():
            super().do_GET()

    def do_HEAD(self):
        if self.serves():
            super().do_HEAD()

    def refuse(self):
        self.server.elsewhere.append(f"{self.command} {self.path}")
        self.send_error(502, "only the folder on 127.0.0.1 is served")

    do_CONNECT = do_POST = do_PUT = do_DELETE = do_OPTIONS = do_PATCH = refuse

    def log_message(self, *args):
        pass


@pytest.fixture(scope="module")
def server():
    assert (DIST / "index.html").is_file(), "KALDEROS_WEB_DIST does not hold the page: run the test through ctest"
    served = Server()
    thread = threading.Thread(target=served.serve_forever, daemon=True)
    thread.start()
    yield served
    served.shutdown()


@pytest.fixture(scope="module")
def downloads():
    with tempfile.TemporaryDirectory() as folder:
        yield pathlib.Path(folder)


@pytest.fixture(scope="module")
def browser(server, downloads):
    with tempfile.TemporaryDirectory() as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        options.add_argument(f"--user-data-dir={profile}")
        # Every request through the server, the loopback's too.
        options.add_argument(f"--proxy-server={server.origin}")
        options.add_argument("--proxy-bypass-list=<-loopback>")
        options.add_argument("--window-size=1100,1400")
        options.add_experimental_option("prefs", {"download.default_directory": str(downloads),
                                                  "download.prompt_for_download": False})
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
        # The trace, unlike the page's network events, holds the requests of its workers.
        options.add_experimental_option("perfLoggingPrefs", {"enableNetwork": False, "traceCategories": "devtools.timeline"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            yield driver
        finally:
            driver.quit()


def state(driver):
    return driver.execute_script("return document.body.dataset.state")


def wait_for(driver, wanted):
    WebDriverWait(driver, 60).until(lambda d: state(d) in (wanted, "failed"))
    assert state(driver) == wanted, driver.find_element(By.ID, "message").text


@pytest.fixture(scope="module")
def page(browser, server):
    browser.get(f"{server.origin}/index.html")
    wait_for(browser, "ready")
    return browser


# file's text, the columns offered, the one chosen, the delimiter, what the column holds
HEADERS = [
    ("Name;Born;Social Security No;Dept\r\nDoe;1970;078-05-1120;Sales\r\n",
     ["Name", "Born", "Social Security No", "Dept"], "Social Security No", ";", "ssn"),
    ("id\tCard number\tamount\n1\t4111 1111 1111 1111\t12\n", ["id", "Card number", "amount"], "Card number", "\t", "card"),
    ('"Last, First",SSN\n"Doe, Jane",078-05-1120\n', ["Last, First", "SSN"], "SSN", ",", "ssn"),
]


@pytest.mark.parametrize("text, columns, chosen, delimiter, kind", HEADERS)
def test_the_header_offers_the_columns(page, tmp_path, text, columns, chosen, delimiter, kind):
    path = tmp_path / "people.csv"
    path.write_text(text, newline="")
    page.find_element(By.ID, "file").send_keys(str(path))
    wait_for(page, "header")
    column = Select(page.find_element(By.ID, "column"))
    assert [option.text for option in column.options] == columns
    assert column.first_selected_option.text == chosen
    assert Select(page.find_element(By.ID, "delimiter")).first_selected_option.get_attribute("value") == delimiter
    assert Select(page.find_element(By.ID, "kind")).first_selected_option.get_attribute("value") == kind


def test_the_rules_current_by_default_classic_explained(page):
    rules = page.find_elements(By.CSS_SELECTOR, "#rules input[name=rules]")
    assert [(rule.get_attribute("value"), rule.is_selected()) for rule in rules] == [("classic", False), ("current", True)]
    assert page.find_element(By.CSS_SELECTOR, "#rules .rule-help").text == \
        "SSNs by the built-in data, cards by the classic table"


# A payroll export as a spreadsheet writes one: a byte-order mark, semicolons, CR LF, quoted cells, a row too
# short and one too wide, and numbers of every verdict.
PAYROLL = ("\ufeffName;Dept;Social Security No\r\n\"Doe; Jane\";Sales;078-05-1120\r\nRoe;\"R\"\"D\";123-45-6789\r\n"
           "Poe;Ops;772-12-3456\r\nLee\r\nKim;Ops;000-12-3456;late\r\nAsh;HR;\"219-09-9999\"\r\n")


def summary(path, rules):
    """The program's counts of the file: its verdicts, and the reasons it met."""
    run = subprocess.run([os.environ["KALDEROS_PROGRAM"], f"--rules={rules}", "--column=3", "--delimiter=;",
                          "--summary", "--quiet", "-i", str(path)], capture_output=True, check=True, text=True)
    verdicts, reasons = {}, {}
    for line in run.stdout.splitlines():
        words = line.split()
        if words[0] == "reason":
            reasons[words[1]] = words[2]
        elif words[0] in ("valid", "invalid", "unknown"):
            verdicts[words[0]] = words[1]
    return verdicts, reasons


def bars(page, title):
    return page.execute_script("""
        const groups = {}; let group = null;
        for (const node of document.querySelectorAll('#chart > *')) {
          if (node.tagName === 'text') group = groups[node.textContent] = {};
          else group[node.dataset.value] = node.dataset.count;
        }
        return groups[arguments[0]];""", title)


@pytest.mark.parametrize("rules", ["classic", "current"])
def test_a_file_checked_and_saved_as_the_program_writes_it(page, tmp_path, downloads, rules):
    path = tmp_path / "payroll.csv"
    path.write_bytes(PAYROLL.encode())
    verdicts, reasons = summary(path, rules)
    assert sum(map(int, verdicts.values())) == 6
    page.find_element(By.ID, "file").send_keys(str(path))
    wait_for(page, "header")
    page.find_element(By.CSS_SELECTOR, f"#rules input[value={rules}]").click()
    page.find_element(By.ID, "check").click()
    wait_for(page, "done")
    assert page.find_element(By.ID, "message").text == "payroll.csv: 6 rows checked."
    assert bars(page, "Verdict") == verdicts
    assert bars(page, "Reason") == reasons
    rows = [[cell.text for cell in row.find_elements(By.CSS_SELECTOR, "th, td")]
            for row in page.find_elements(By.CSS_SELECTOR, "#rows tr")]
    assert rows[:2] == [["Social Security No", "verdict", "reason"], ["078-05-1120", "invalid", "known-invalid"]]
    assert rows[4] == ["", "invalid", "empty"] and len(rows) == 7
    program = subprocess.run([os.environ["KALDEROS_PROGRAM"], f"--rules={rules}", "--column=3", "--delimiter=;",
                              "--format=csv", "-i", str(path)], capture_output=True, check=True)
    saved = downloads / "payroll-checked.csv"
    saved.unlink(missing_ok=True)
    page.find_element(By.ID, "save").click()
    for _ in range(100):
        if saved.is_file() and saved.stat().st_size == len(program.stdout):
            break
        time.sleep(0.1)
    assert saved.read_bytes() == program.stdout
    page.save_screenshot(os.environ.get("KALDEROS_WEB_SCREENSHOT", str(DIST.parent / "web-page.png")))


def test_nothing_went_wrong_on_the_console(page):
    assert [entry["message"] for entry in page.get_log("browser") if entry["level"] == "SEVERE"] == []


def test_the_policy_forbids_connections(page):
    policy = page.find_element(By.CSS_SELECTOR, 'meta[http-equiv="Content-Security-Policy"]').get_attribute("content")
    directives = dict((part.split() + [""])[:2] for part in policy.split(";") if part.strip())
    assert directives["connect-src"] == "'none'" and directives["default-src"] == "'none'"
    # The server the page came from is refused as much as any other.
    result = page.execute_async_script("""
        const done = arguments[arguments.length - 1];
        const refused = [];
        document.addEventListener('securitypolicyviolation', (event) => refused.push(event.effectiveDirective));
        fetch('index.html').then(() => done({ fetched: true, refused }),
                                  () => setTimeout(() => done({ fetched: false, refused }), 200));
    """)
    assert result == {"fetched": False, "refused": ["connect-src"]}


def test_no_request_left_127_0_0_1(page, server):
    """Last: after everything the other tests made the page do."""
    requested = []
    for entry in page.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Tracing.dataCollected" and message["params"].get("name") == "ResourceSendRequest":
            requested.append(message["params"]["args"]["data"]["url"])
    # The worker's own imports are in the trace, which so holds what a worker asks for.
    assert f"{server.origin}/kalderos_wasm.js" in requested
    # The browser's own pages (chrome://) are not the page's.
    assert [url for url in requested if not url.startswith((f"{server.origin}/", "blob:", "data:", "chrome:"))] == []
    # What the browser itself asked for elsewhere (its updates, its time), refused by the server, is not the page's.
    print("refused, asked for by the browser itself:", *server.elsewhere, sep="\n  ")
