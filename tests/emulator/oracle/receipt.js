// Writes one receipt as each standard ESC/POS printer family of the receiptline
// encoder sends it: FOLDER/NAME.bin. Run with NODE_PATH naming the folder
// that holds the receiptline module.
const fs = require('fs');
const receiptline = require('receiptline');

const receipt = `^^^RECEIPT

03/18/2024, 12:34:56
Asparagus | 1| 1.00
Broccoli  | 2| 2.00
---
^TOTAL | ^3.00
"Centred"
| Left | Right |
{code:1234567890128; option:ean,hri}
{code:ABC-123; option:code128,2,72,hri}
{code:https://example.com; option:qrcode,4,l}
_underline_ "emphasis" \`invert\`
=
`;

const folder = process.argv[2];
for (const command of ['escpos', 'epson', 'generic', 'citizen', 'fit']) {
  const bytes = receiptline.transform(receipt, {command, cpl: 48, encoding: 'cp437'});
  fs.writeFileSync(`${folder}/${command}.bin`, Buffer.from(bytes, 'binary'));
}
