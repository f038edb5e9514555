// browser_test.js REPORT_DIR SCREENSHOT.png - opens a formsterm test report
// in headless Chromium (Debian's, through the DevTools protocol) and checks
// what a person would: failures first in the index, the failed test opening
// at its failing step with the differing cells marked beside the expected
// screen, the arrow keys stepping back and forth, and bytes of the test's
// output shown as text, never as markup. Writes a screenshot of the failing step.
"use strict";
const path = require("path");
const { chromium } = require(path.join(process.cwd(), "node_modules", "playwright-core"));

const [reportDir, screenshot] = process.argv.slice(2);
const CHROMIUM_ARGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                       "--disable-background-networking", "--disable-component-update", "--disable-sync"];

function check(condition, what) {
  if (!condition) throw new Error("report: " + what);
  console.log("ok   " + what);
}

async function main() {
  const profile = require("fs").mkdtempSync(path.join(require("os").tmpdir(), "formsterm-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: "/usr/bin/chromium", headless: true, args: CHROMIUM_ARGS,
    viewport: {width: 1400, height: 900},
  });
  try {
    const page = context.pages()[0] || await context.newPage();
    const requests = [];
    page.on("request", r => { if (!r.url().startsWith("file:")) requests.push(r.url()); });
    await page.goto("file://" + path.resolve(reportDir, "index.html"));
    const rows = await page.$$eval("#tests tbody tr", trs => trs.map(tr => tr.className));
    check(rows.length === 10, "the index lists 10 tests (" + rows.length + ")");
    check(rows[0] === "fail" && rows[1] === "fail" && rows.slice(2).every(c => c === "pass"),
          "failures come first");
    const first = await page.$eval("#tests tbody tr td:nth-child(3)", td => td.textContent);
    check(/receiving_test\.lua:\d+$/.test(first), "a test's script and line are shown: " + first);

    // The failed golden check: it opens at its failing step.
    await page.click("text=a receipt keyed in and scanned is booked");
    await page.waitForSelector("#timeline li.current");
    const steps = await page.$$eval("#timeline li", lis => lis.length);
    const current = () => page.$eval("#timeline li.current", li => Number(li.id.slice(5)));
    const failing = await page.$eval("#timeline li.k-failure", li => Number(li.id.slice(5)));
    check(await current() === failing, "the failed test opens at its failing step, " + failing + " of " + steps);
    check((await page.textContent("#step-text")).includes("differs from the golden"),
          "the step shown is the golden check's failure");
    check(await page.isVisible("#expected"), "the expected screen stands beside the screen");
    const marked = await page.$$eval("#screen span.diff", spans => spans.map(s => {
      const all = [...s.parentNode.children];
      const i = all.indexOf(s);
      return [Math.floor(i / 40), i % 40];
    }));
    check(marked.length === 1 && marked[0][0] === 15 && marked[0][1] === 17,
          "the one differing cell is marked, at row 15 column 17: " + JSON.stringify(marked));
    const failure = await page.textContent("#failure");
    check(failure.includes("differs from the golden"), "the failure message is shown");

    await page.keyboard.press("ArrowUp");
    check(await current() === failing - 1, "ArrowUp steps back");
    check(!(await page.isVisible("#expected")), "an earlier step shows the screen alone");
    await page.keyboard.press("ArrowUp");
    await page.keyboard.press("ArrowDown");
    check(await current() === failing - 1, "ArrowDown steps forward");
    const ending = await page.$eval("#timeline li:last-child", li => li.title);
    check(ending.includes("ended"), "the last step names how the test ended: " + ending);
    await page.click("#step-0");
    check(await current() === 0, "a click on a step shows it");
    const call = await page.$$eval("#timeline li.k-call", lis => lis.map(li => li.textContent));
    check(call.some(t => t.includes("EXEC_PA HELP=20")), "every call of main is a step");
    await page.keyboard.press("End");
    check(await current() === steps - 1, "End goes to the last step");
    await page.click("#step-" + failing);
    await page.screenshot({path: screenshot, fullPage: false});

    // Markup and control bytes in a test's output stay text.
    await page.goto("file://" + path.resolve(reportDir, "index.html"));
    await page.click("text=a scan full of markup and control bytes");
    await page.waitForSelector("#timeline li.current");
    check(await page.$$eval("b, i", els => els.length) === 0, "no markup from the test's output");
    const text = await page.textContent("#failure");
    check(text.includes("<b>&amp;</script>\\x01\\x02\\x1b[31m\\x7f\\xff"),
          "the bytes of a scan are shown as \\xNN: " + text.split("\n")[0]);
    const scan = await page.$$eval("#timeline li.k-action", lis => lis.map(li => li.textContent));
    check(scan.some(t => t.includes("\\x01")), "the scan action shows its bytes");
    check(requests.length === 0, "the report asks for nothing outside its folder: " + requests.join(" "));
  } finally {
    await context.close();
  }
}

main().catch(e => { console.error(e.message); process.exit(1); });
