// Loads the timekeeper's control page in Chromium, as a phone would: waits for the time to
// fall, presses pause and waits for the page to say so. Prints one line per step; exits 1 at
// the first step that does not come within its deadline.
//
//   node control_page.mjs CONTROL_URL VIEW_URL [SCREENSHOT_FOLDER]
import puppeteer from "puppeteer-core";

const [url, viewUrl, shots] = process.argv.slice(2);
const kStepMs = 15000;  // each wait; the page updates within a second of the clock
const kPhone = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };

// The time the page shows, in seconds ("MM:SS" or "H:MM:SS"; NaN before the first state).
const shownSeconds = () =>
  document.getElementById("time").textContent.split(":").reduce((s, p) => s * 60 + Number(p), 0);
const timeShown = () => /\d:\d\d$/.test(document.getElementById("time").textContent);

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  // The machine has no network beyond this computer: Chromium must not look for its services.
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--lang=zh-CN"],
});
let failed = false;
async function step(what, action) {
  try {
    await action();
    console.log(`ok   ${what}`);
  } catch (error) {
    console.log(`FAIL ${what}: ${error.message.split("\n")[0]}`);
    failed = true;
  }
}
try {
  const page = await browser.newPage();
  await page.setViewport(kPhone);
  await page.setExtraHTTPHeaders({ "Accept-Language": "zh-CN,zh;q=0.9" });
  await step("the control page loads", () => page.goto(url, { timeout: kStepMs }));
  let first = 0;
  await step("it shows the time", async () => {
    await page.waitForFunction(timeShown, { timeout: kStepMs });
    first = await page.evaluate(shownSeconds);
  });
  await step("the time falls", () =>
    page.waitForFunction(
      (from) => document.getElementById("time").textContent.split(":")
                  .reduce((s, p) => s * 60 + Number(p), 0) < from,
      { timeout: kStepMs }, first));
  if (shots) await page.screenshot({ path: `${shots}/remote-control-page.png` });
  await step("pause is pressed", () => page.click("#pause"));
  await step("the page says the clock is paused", () =>
    page.waitForFunction(() => document.getElementById("pause").textContent === "继续",
                         { timeout: kStepMs }));
  if (shots) {
    const view = await browser.newPage();
    await view.setViewport(kPhone);
    await view.setExtraHTTPHeaders({ "Accept-Language": "zh-CN,zh;q=0.9" });
    await view.goto(viewUrl, { timeout: kStepMs });
    await view.waitForFunction(timeShown, { timeout: kStepMs }).catch(() => {});
    await view.screenshot({ path: `${shots}/remote-view-page.png` });
  }
} finally {
  await browser.close();
}
process.exit(failed ? 1 : 0);
