// The encodings a Config.ini can arrive in. The program writes GBK, but an editor may have
// saved the file as UTF-8 (with or without a byte-order mark) or as UTF-16 ("Unicode", with
// a byte-order mark), and the profile functions read those too.
#pragma once

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

// The file's bytes as GBK text, the form the INI reader works on: UTF-8 and UTF-16 are
// converted (their byte-order mark dropped, characters GBK cannot hold become '?'), GBK is
// returned as it is.
std::string FileBytesToGbk(std::string bytes);

}  // namespace quorrin
