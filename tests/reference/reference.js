// Prints, from an independent lunar calendar library, the same lines as our
// lunardump tool, so that check.sh can diff the two:
//   node reference.js FROM TO                 one line per day
//   node reference.js --terms YEAR_FROM YEAR_TO  one line per solar term
'use strict';
const { Solar } = require('lunar-javascript');

const FIRST = '1901-02-19';
const LAST = '2048-12-31';

const pad = (n, w) => String(n).padStart(w, '0');
const iso = (y, m, d) => `${pad(y, 4)}-${pad(m, 2)}-${pad(d, 2)}`;

function parseIso(text) {
    const m = /^(\d{4})-(\d{2})-(\d{2})$/.exec(text);
    if (!m) throw new Error(`not an ISO date: ${text}`);
    return new Date(Date.UTC(+m[1], +m[2] - 1, +m[3]));
}

// The text in the default format "%Y年(%S)%M%D %y-%m-%d", built from the
// library's own names; the year name and zodiac change on the day of 立春.
function dayText(y, m, d) {
    const lunar = Solar.fromYmd(y, m, d).getLunar();
    return `${lunar.getYearInGanZhiByLiChun()}年(${lunar.getYearShengXiaoByLiChun()})` +
        `${lunar.getMonthInChinese()}月${lunar.getDayInChinese()} ${y}-${m}-${d}`;
}

function printDays(from, to) {
    const out = [];
    for (let t = parseIso(from); t <= parseIso(to); t.setUTCDate(t.getUTCDate() + 1)) {
        const y = t.getUTCFullYear(), m = t.getUTCMonth() + 1, d = t.getUTCDate();
        const key = iso(y, m, d);
        const inRange = key >= FIRST && key <= LAST;
        out.push(`${key}\t${inRange ? dayText(y, m, d) : ''}`);
    }
    process.stdout.write(out.join('\n') + '\n');
}

// The library keys the terms outside the lunar year by pinyin.
const PINYIN = {
    DA_XUE: '大雪', DONG_ZHI: '冬至', XIAO_HAN: '小寒', DA_HAN: '大寒',
    LI_CHUN: '立春', YU_SHUI: '雨水', JING_ZHE: '惊蛰',
};

function printTerms(yearFrom, yearTo) {
    const out = [];
    for (let year = yearFrom; year <= yearTo; ++year) {
        const seen = new Map();
        for (const [m, d] of [[1, 1], [7, 1], [12, 31]]) {
            const table = Solar.fromYmd(year, m, d).getLunar().getJieQiTable();
            for (const [key, solar] of Object.entries(table)) {
                if (solar.getYear() !== year) continue;
                const name = PINYIN[key] || key;
                seen.set(name, iso(solar.getYear(), solar.getMonth(), solar.getDay()));
            }
        }
        const terms = [...seen.entries()].sort((a, b) => a[1].localeCompare(b[1]));
        if (terms.length !== 24) throw new Error(`${year}: ${terms.length} terms`);
        for (const [name, date] of terms) out.push(`${year}\t${name}\t${date}`);
    }
    process.stdout.write(out.join('\n') + '\n');
}

const args = process.argv.slice(2);
if (args[0] === '--terms' && args.length === 3) {
    printTerms(+args[1], +args[2]);
} else if (args.length === 2) {
    printDays(args[0], args[1]);
} else {
    process.stderr.write('usage: node reference.js FROM TO | --terms YEAR_FROM YEAR_TO\n');
    process.exit(2);
}
