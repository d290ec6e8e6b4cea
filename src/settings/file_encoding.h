// The encodings a Config.ini can arrive in, and the one a save writes. The program writes
// GBK while every value has a GBK form, and UTF-16 LE with a byte-order mark (the form of
// the wide profile functions) once one does not. An editor may also have saved the file as
// UTF-8 (with or without a byte-order mark) or as UTF-16 big-endian.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace quorrin {

enum class FileEncoding { Gbk, Utf8, Utf8WithBom, Utf16Le, Utf16Be };

// How the file's bytes are to be read:
// - a byte-order mark decides: EF BB BF is UTF-8, FF FE UTF-16 LE, FE FF UTF-16 BE;
// - without one, the bytes are UTF-8 when all of them form well-formed UTF-8 and at least
//   one character is not ASCII; anything else is GBK (pure ASCII reads the same either way).
// Bytes that are both well-formed UTF-8 and well-formed GBK are taken for UTF-8. GBK Chinese
// almost never passes as UTF-8: most GBK lead bytes (0xA1..0xC1) cannot start a UTF-8
// character and trail bytes below 0x80 cannot continue one, and every file this program
// writes holds "所有演示文稿", whose first GBK character already breaks UTF-8. UTF-8 Chinese,
// on the other hand, very often has the byte shape of GBK as well, so preferring GBK would
// misread most UTF-8 files. Only a file whose every non-ASCII GBK character happens to have
// UTF-8's shape (such as "路", C2 B7, alone) is misread.
FileEncoding DetectFileEncoding(std::string_view bytes);

// A file's text in the form the INI reader works on: a GBK file's bytes as they are, so
// that untouched lines are written back byte for byte; any other file as UTF-8 (its
// byte-order mark dropped), so that no character is lost.
struct FileText {
    FileEncoding encoding = FileEncoding::Gbk;
    std::string text;  // GBK for FileEncoding::Gbk, UTF-8 otherwise
};
FileText DecodeFileBytes(std::string bytes);

// Whether every character of the UTF-8 text has a GBK form.
bool FitsGbk(std::string_view utf8);

// The encoding a save writes, Gbk or Utf16Le, for a file that is in `current` now and will
// hold `utf8Texts` (the changed names and values, or the whole text): a UTF-16 file stays
// UTF-16, whatever it holds; any other stays (or becomes) GBK while every text fits GBK, and
// becomes UTF-16 for good with the first character GBK lacks.
FileEncoding EncodingForSave(FileEncoding current, std::span<const std::string_view> utf8Texts);

// UTF-8 text as a UTF-16 LE file: the byte-order mark FF FE, then the code units. A malformed
// UTF-8 sequence becomes U+FFFD.
std::string Utf8ToUtf16LeFile(std::string_view utf8);

// The length of a value in the unit the reader of a file in `encoding` counts: UTF-16 code
// units in a UTF-16 file; in any other, GBK bytes when the value fits GBK and UTF-16 code
// units when it does not (it makes the file UTF-16 at its save).
size_t StoredLength(std::string_view utf8, FileEncoding encoding);

}  // namespace quorrin
