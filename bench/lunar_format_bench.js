// The same work as lunar_format_bench.cpp, done by the JavaScript library
// the reference check uses: the default-format text of every day of
// 1901-02-19..2048-12-31. Run from a folder where lunar-javascript is installed.
'use strict';
const { Solar } = require('lunar-javascript');

function text(y, m, d) {
    const lunar = Solar.fromYmd(y, m, d).getLunar();
    return `${lunar.getYearInGanZhiByLiChun()}年(${lunar.getYearShengXiaoByLiChun()})` +
        `${lunar.getMonthInChinese()}月${lunar.getDayInChinese()} ${y}-${m}-${d}`;
}

const dates = [];
for (let t = new Date(Date.UTC(1901, 1, 19)); t <= new Date(Date.UTC(2048, 11, 31));
    t.setUTCDate(t.getUTCDate() + 1)) {
    dates.push([t.getUTCFullYear(), t.getUTCMonth() + 1, t.getUTCDate()]);
}
let checksum = 0;
for (const [y, m, d] of dates.slice(0, 2000)) checksum += text(y, m, d).length;  // warm-up
const start = process.hrtime.bigint();
for (const [y, m, d] of dates) checksum += text(y, m, d).length;
const ns = Number(process.hrtime.bigint() - start) / dates.length;
console.log(`days: ${dates.length}`);
console.log(`node: ${ns.toFixed(1)} ns/day`);
console.log(`checksum: ${checksum}`);
