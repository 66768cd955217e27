// What the page and its worker say to each other. The worker answers each
// request with one reply, in the order they came: the load request with
// `ready` or `broken`, an encode request with `encoded` or `unencoded`, every
// other with its own kind or `failed`. The page sends conversions and
// lexicons one at a time; a download's request goes at once. Nothing here
// runs: the page's scripts and worker.js name these types in their JSDoc, so
// both sides keep to one contract.

// ---- the page to the worker ---------------------------------------------------

/**
 * Start the converter with the dictionary and the loanword lexicon embedded in the page.
 * @typedef {object} LoadRequest
 * @property {'load'} kind
 * @property {string} words      the dictionary's rows, one a line
 * @property {string} loanwords  the loanword lexicon, "WORD<tab>ROMAN[<tab>ENGLISH]" a line
 */

/**
 * The user's lexicon in place of the one before, and the loanword and spoken forms' switches.
 * @typedef {object} LexiconRequest
 * @property {'lexicon'} kind
 * @property {string} text        "WORD ROMAN" (a space or a tab between) a line
 * @property {boolean} loanwords  whether loanwords follow their lexicon
 * @property {boolean} spoken     whether words are written in their spoken forms, loanwords with them
 * @property {'marks' | 'ascii'} scheme  with the marks, or in plain letters as Punjabis type them
 */

/**
 * Convert typed or pasted text.
 * @typedef {object} ConvertRequest
 * @property {'convert'} kind
 * @property {Uint16Array} units  the text's code units (transferred)
 * @property {number} mostWords  a text of more words comes without their rows (ConvertedReply.words)
 */

/**
 * Read a file's bytes as taviro-convert reads a source, and convert them.
 * @typedef {object} FileRequest
 * @property {'file'} kind
 * @property {string} name         the file's name, for messages
 * @property {ArrayBuffer} bytes   transferred, not copied
 * @property {number} mostWords    as for a ConvertRequest
 */

/**
 * A result as the bytes of a file to download, written as taviro-convert writes one.
 * @typedef {object} EncodeRequest
 * @property {'encode'} kind
 * @property {string[]} blocks  the result's text in blocks, line ends LF
 * @property {'utf-8' | 'utf-16le'} encoding  'utf-16le' with the byte-order mark and CR LF, as the desktop writes
 */

/**
 * The browser could not read a file: answered with the FailedReply that says so.
 * @typedef {object} ReadFailedRequest
 * @property {'readFailed'} kind
 * @property {string} name    the file's name
 * @property {string} reason  the browser's
 */

/**
 * @typedef {LoadRequest | LexiconRequest | ConvertRequest | FileRequest | EncodeRequest | ReadFailedRequest}
 *   WorkerRequest
 */

// ---- the worker to the page ---------------------------------------------------

/**
 * The engine's wording of one way a word is finished.
 * @typedef {object} FinishWording
 * @property {string} how  the engine's sentence for this way of finishing
 * @property {Array<[string, string, string]>} pieces  each piece: its name, and the marks
 *   (wordBegin, stemBegin, stemEnd, wordEnd) it lies between
 */

/**
 * How to read the numbers of ConvertedReply.words as word records, and the
 * segments of their explanations (word_reports.js): the engine's binding
 * names each field.
 * @typedef {object} WordReportLayout
 * @property {Array<[string, 'offset' | 'yesNo' | 'finish' | 'lexicon']>} fields  a word's numbers in
 *   order: each field's name and how its number is read
 * @property {FinishWording[]} finishes  by a `finish` number
 * @property {Array<null | 'user' | 'loanword'>} lexicons  by a `lexicon` number
 * @property {Array<'gurmukhi' | 'roman' | 'piece' | 'words'>} segmentKinds  by a ConvertedReply.segmentKinds
 *   number: what a segment of an explanation is, the word, a Roman text of it, a piece's Roman text, or the
 *   engine's words around them
 */

/**
 * One word's row of ConvertedReply.words, as WordReports.at reads it: the
 * engine's WordReport field for field, before the word's texts, pieces and
 * explanation are added to make the package's WordReport. Offsets are in
 * code units; the stem's are relative to romanBegin.
 * @typedef {object} WordRow
 * @property {number} sourceBegin
 * @property {number} sourceEnd
 * @property {number} romanBegin
 * @property {number} romanEnd
 * @property {number} stemBegin
 * @property {number} stemEnd
 * @property {boolean} prefix  a confirmed prefix was kept
 * @property {boolean} suffix  a confirmed suffix was kept
 * @property {boolean} split   two dictionary words
 * @property {null | 'user' | 'loanword'} lexicon  the lexicon that wrote the word whole
 * @property {FinishWording} finish  how it was finished
 * @property {boolean} spoken  its spoken form dropped an "a" after a long vowel
 * @property {boolean} spokenKept  its spoken form kept an "a" that an addak or tippi asserts
 * @property {boolean} spokenJoin  its spoken form dropped the "a" after a join of its pieces
 * @property {boolean} spokenNasal  its spoken form read a tippi as a long vowel's nasal
 * @property {boolean} spokenCluster  its spoken form said an "a" before the s of st or sk
 */

/**
 * The engine's character map, for the character table.
 * @typedef {object} CharacterMap
 * @property {Array<[number, string]>} rows  code point and Roman text, in the engine's order
 * @property {{doubling: string, noConversion: string}} markers  the marker texts of the map
 * @property {Array<[string, string]>} marks  a mark the table shows and the marker text it
 *   stands for, in the order the table's notes list them
 */

/**
 * @typedef {object} ReadyReply
 * @property {'ready'} kind
 * @property {number} rows  how many words the dictionary holds
 * @property {WordReportLayout} wordReport
 * @property {CharacterMap} table
 */

/**
 * The converter could not start; nothing else will come.
 * @typedef {object} BrokenReply
 * @property {'broken'} kind
 * @property {string} message
 */

/**
 * @typedef {object} LexiconReply
 * @property {'lexicon'} kind
 * @property {number} entries     how many entries the lexicon took
 * @property {string[]} problems  one for each line left out
 */

/**
 * The Roman text and its words: with the words' rows, as one string; for a
 * text of more words than the request's mostWords, as code units in the
 * blocks it was converted in. Line ends are LF.
 * @typedef {object} ConvertedReply
 * @property {'converted'} kind
 * @property {string} [roman]     the Roman text, when the words' rows come with it
 * @property {Uint16Array[]} [blocks]  the Roman text's units in blocks, when they do not (transferred)
 * @property {Uint32Array} words   the word report, read with WordReportLayout (transferred); empty for a text
 *   of more words than the request's mostWords
 * @property {number} wordCount     how many words the text has
 * @property {string} [explanations]  with the words' rows: every word's explanation, its segments one
 *   after the other
 * @property {Uint32Array} [segmentEnds]  where each segment ends in `explanations` (transferred)
 * @property {Uint8Array} [segmentKinds]  what each segment is, by WordReportLayout.segmentKinds (transferred)
 * @property {Uint32Array} [wordSegments]  where each word's segments end (transferred)
 * @property {number} [milliseconds]  the engine's time, for a ConvertRequest
 * @property {Uint16Array} [sourceUnits]  the file's text's code units, for a FileRequest (transferred)
 * @property {string} [encoding]      how the file was read, for a FileRequest
 */

/**
 * A request failed; the message is the engine's, as the page shows it: the
 * file it names and what to do.
 * @typedef {object} FailedReply
 * @property {'failed'} kind
 * @property {string} message
 * @property {'text' | 'tooLong' | 'notText' | 'file' | 'usage'} failure  what failed, as the engine tells it
 */

/**
 * The bytes of a download, in pieces for a Blob to join.
 * @typedef {object} EncodedReply
 * @property {'encoded'} kind
 * @property {Uint8Array[]} pieces  (transferred)
 */

/**
 * A download could not be written; the message says why.
 * @typedef {object} UnencodedReply
 * @property {'unencoded'} kind
 * @property {string} message
 */

/**
 * @typedef {ReadyReply | BrokenReply | LexiconReply | ConvertedReply | FailedReply | EncodedReply | UnencodedReply}
 *   WorkerReply
 */

export {};
