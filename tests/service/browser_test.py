#!/usr/bin/env python3
"""The web page of `quillmere serve` in headless Chromium: a corpus deck is
picked on the page of a service that needs a token (typed in when the page
asks for it, wrong first), the export is followed to its end, every slide shows as
many frames as the XML has shapes, a click on a shape shows its name and
fill, and a picture link opens the picture. Talks only to 127.0.0.1.

usage: browser_test.py TOOL DECK
"""
import os
import signal
import subprocess
import sys
import tempfile
import urllib.request
import xml.etree.ElementTree as ET

from selenium import webdriver
from selenium.webdriver.chrome.service import Service as DriverService
from selenium.webdriver.common.by import By
from selenium.webdriver.support import expected_conditions as seen
from selenium.webdriver.support.ui import WebDriverWait

EXPORT_SECONDS = 300  # one small deck with its images, in a sanitizer build
TOKEN = 'page-token-7'


def start_service(tool, home):
    env = {**os.environ, 'HOME': home, 'TMPDIR': home, 'XDG_CONFIG_HOME': os.path.join(home, 'config'),
           'XDG_DATA_HOME': os.path.join(home, 'data'), 'XDG_RUNTIME_DIR': home}
    token_file = os.path.join(home, 'token')
    with open(token_file, 'w') as f:
        f.write(TOKEN + '\n')
    service = subprocess.Popen([tool, 'serve', '--listen', '127.0.0.1:0', '--workers', '1', '--token-file', token_file],
                               stdout=subprocess.PIPE, env=env, text=True)
    line = service.stdout.readline()
    if 'serving on http://' not in line:
        service.kill()
        sys.exit(f'the service did not start: {line!r}')
    return service, line.split('serving on ')[1].split('/ ')[0]


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for switch in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                   '--disable-background-networking', '--disable-component-update', '--disable-sync',
                   '--disable-dev-shm-usage', f'--user-data-dir={profile}', '--window-size=1400,1000'):
        options.add_argument(switch)
    return webdriver.Chrome(service=DriverService('/usr/bin/chromedriver'), options=options)


def check(condition, what):
    if not condition:
        raise AssertionError(what)


def shapes_of(owner):
    shapes = owner.find('Shapes')
    return [] if shapes is None else list(shapes.iter('Shape'))


def run(browser, base, deck):
    browser.get(base + '/')
    browser.find_element(By.ID, 'deck-input').send_keys(deck)
    for token, refused in (('wrong', True), (TOKEN, False)):
        field = WebDriverWait(browser, 30).until(seen.visibility_of_element_located((By.ID, 'token')))
        field.clear()
        field.send_keys(token)
        browser.find_element(By.CSS_SELECTOR, '#token-form button').click()
        if refused:
            WebDriverWait(browser, 10).until(lambda b: 'token' in b.find_element(By.ID, 'message').text)
    WebDriverWait(browser, EXPORT_SECONDS).until(
        lambda b: b.find_element(By.ID, 'result').is_displayed() or 'failed' in b.find_element(By.ID, 'message').get_attribute('class'))
    check(browser.find_element(By.ID, 'result').is_displayed(), 'the export failed: ' + browser.find_element(By.ID, 'message').text)

    xml_url = browser.find_element(By.ID, 'xml-link').get_attribute('href')
    request = urllib.request.Request(xml_url, headers={'Authorization': 'Bearer ' + TOKEN})
    body = urllib.request.urlopen(request, timeout=30).read()
    root = ET.fromstring(body)
    slides = root.find('Slides').findall('Slide')
    pages = browser.find_elements(By.CSS_SELECTOR, 'section.page[data-kind=slide]')
    check(len(pages) == len(slides) > 0, f'{len(pages)} slides shown for {len(slides)} in the XML')
    for slide, page in zip(slides, pages):
        frames = page.find_elements(By.CSS_SELECTOR, '.canvas .frame')
        check(len(frames) == len(shapes_of(slide)), f'slide {slide.get("index")}: {len(frames)} frames for '
                                                    f'{len(shapes_of(slide))} shapes')

    # The slide images come through with the cookie the token became.
    image = pages[0].find_element(By.CSS_SELECTOR, '.canvas img')
    WebDriverWait(browser, 30).until(
        lambda b: b.execute_script('return arguments[0].complete && arguments[0].naturalWidth > 0', image))

    # The shape a click on the middle of its frame reaches, which may be one drawn over it.
    shape = next(s for s in shapes_of(slides[0]) if s.find('Fill') is not None and len(s.find('Fill')))
    frame = pages[0].find_elements(By.CSS_SELECTOR, '.canvas .frame')[shapes_of(slides[0]).index(shape)]
    browser.execute_script('arguments[0].scrollIntoView({block: "center"})', frame)
    clicked = browser.execute_script(
        'const r = arguments[0].getBoundingClientRect();'
        'return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);', frame)
    check('frame' in clicked.get_attribute('class'), 'the middle of the frame is no frame')
    clicked.click()
    name = clicked.get_attribute('data-shape-name')
    shape = next(s for s in shapes_of(slides[0]) if s.get('name') == name)
    shown = WebDriverWait(browser, 10).until(seen.visibility_of_element_located((By.CSS_SELECTOR, '#properties .prop-name')))
    check(shown.text == name, f'the panel names {shown.text!r}, not {name!r}')
    fill = browser.find_element(By.CSS_SELECTOR, '#properties .prop-fill').text
    first = list(shape.find('Fill'))[0]
    check(first.tag in fill and (first.text or '').strip() in fill, f'the fill shown lacks {first.tag}: {fill!r}')

    # A picture link opens the picture.
    link = browser.find_element(By.CSS_SELECTOR, 'a.file-link.picture')
    browser.execute_script('arguments[0].scrollIntoView({block: "center"})', link)
    before = set(browser.window_handles)
    link.click()
    WebDriverWait(browser, 10).until(lambda b: len(b.window_handles) > len(before))
    browser.switch_to.window((set(browser.window_handles) - before).pop())
    WebDriverWait(browser, 10).until(lambda b: b.execute_script(
        'return document.images.length > 0 && document.images[0].complete && document.images[0].naturalWidth > 0'))
    check('/files/' in browser.current_url, f'the link led to {browser.current_url}')


def main():
    tool, deck = sys.argv[1], os.path.abspath(sys.argv[2])
    with tempfile.TemporaryDirectory(prefix='quillmere-browser-') as home:
        service, base = start_service(tool, home)
        try:
            browser = start_browser(os.path.join(home, 'profile'))
            try:
                run(browser, base, deck)
            finally:
                browser.quit()
        finally:
            service.send_signal(signal.SIGTERM)
            code = service.wait(timeout=60)
        check(code == 0, f'the service ended with {code} after SIGTERM')
    print('browser test passed')


if __name__ == '__main__':
    main()
