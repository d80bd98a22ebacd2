"""Debian's Chromium under its chromedriver, reached by address: selenium 4.8 addresses chromedriver
as localhost, and chromedriver reaches the browser on a localhost port, which fails on a machine
where that name does not resolve (a container without /etc/hosts)."""

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common import utils


class LoopbackService(Service):
    """chromedriver on a free port of 127.0.0.1 (it listens on the loopback addresses)."""

    @property
    def service_url(self):
        return f"http://127.0.0.1:{self.port}"

    def is_connectable(self):
        return utils.is_connectable(self.port, "127.0.0.1")


def chromium(options):
    """Starts /usr/bin/chromium with these options; chromedriver drives it through a pipe."""
    options.binary_location = "/usr/bin/chromium"
    options.add_argument("--remote-debugging-pipe")
    return webdriver.Chrome(service=LoopbackService("/usr/bin/chromedriver"), options=options)
