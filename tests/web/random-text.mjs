// Texts a class might type or paste into a number box, as the desktop's
// random-input test makes them: good numbers in every form, near misses,
// garbage, non-ASCII and very long pastes. `random` is a seeded generator.
export function randomText(random) {
  const pick = (n) => Math.floor(random() * n);
  const decimal = (separator) => `${pick(2000) - 1000}${separator}${pick(100000)}`;
  const garbage = (length) => Array.from({ length }, () => alphabet[pick(alphabet.length)]).join('');
  const kinds = [
    () => String(pick(5000) - 500),
    () => decimal(pick(2) ? '.' : ','),
    () => `${pick(2) ? '-' : ''}${1 + pick(9)}${pick(2) ? '.5' : ''}e${pick(700) - 350}`,
    () => specials[pick(specials.length)],
    () => '',
    () => garbage(1 + pick(8)),
    () => {
      const digits = Array.from({ length: 100 + pick(400) }, () => String(pick(10))).join('');
      const at = pick(digits.length);
      return pick(2) ? `${digits.slice(0, at)}.${digits.slice(at)}` : digits;
    },
    () => `  ${decimal('.')}  `,
    () => garbage(1 + pick(3)),
    () => garbage(1 + pick(3)),
  ];
  return kinds[pick(kinds.length)]();
}

const specials = [
  '0', '-0', '4436', '4436.5', '4436.6', '4437', '-0.3', '29.9', '29.91', '30', '-24.7', '-24.71',
  '1e308', '1e309', '1e-320', '1e-400', '32767', '32768', '-32769', '1.5', '2', '-1', '0.375',
  '1e10', '1e25', '1e40', 'inf', 'nan', 'Infinity', '-Infinity', 'NaN', '0x1A', '1e', 'e5', '--1',
  '+.5', '5.', '.', '1,5e3', '1.5.5', '1e1e1', '+-3', '\t7', '３００', '٣٠٠', '１ｅ１０',
];
const alphabet = [...'0123456789.,eE+- abcxyz温度電子Ｅ３００½∞β\u3000\u00a0\u200b😀%$#'];

// A small seeded generator (mulberry32): the same seed, the same sequence.
export function seeded(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = Math.imul(a ^ (a >>> 15), 1 | a);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}
