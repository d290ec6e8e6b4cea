#include "dialogs/timing/timing_rows.h"

#include "settings/config_file.h"
#include "settings/ini_document.h"
#include "settings/text_codec.h"
#include "settings/time_text.h"

namespace quorrin {

namespace {

constexpr char kColumnSeparator = '\t';
constexpr size_t kColumns = 5;

const char* YesNo(bool value) { return value ? kRowYes : kRowNo; }

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

std::string TimingRow(const PresentationSlot& slot) {
    return JoinTimingRow({SecondsToTimeText(slot.TimeCnt), SecondsToTimeText(slot.TimeWarning),
                          slot.Flush, slot.Close, slot.File});
}

std::string JoinTimingRow(const TimingFields& fields) {
    std::string row = fields.duration;
    for (const std::string_view column :
         {std::string_view(fields.warning), std::string_view(YesNo(fields.flush)),
          std::string_view(YesNo(fields.close)), std::string_view(fields.file)}) {
        row += kColumnSeparator;
        row += column;
    }
    return row;
}

TimingFields SplitTimingRow(std::string_view row) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (parts.size() + 1 < kColumns) {
        const size_t tab = row.find(kColumnSeparator, start);
        if (tab == std::string_view::npos) break;
        parts.emplace_back(row.substr(start, tab - start));
        start = tab + 1;
    }
    parts.emplace_back(row.substr(start));
    parts.resize(kColumns);
    return {parts[0], parts[1], parts[2] == kRowYes, parts[3] == kRowYes, parts[4]};
}

std::string RowFileName(std::string_view row) {
    const size_t tab = row.rfind(kColumnSeparator);
    return std::string(tab == std::string_view::npos ? row : row.substr(tab + 1));
}

std::string PresentationBaseName(std::string_view path) {
    const size_t slash = path.rfind('\\');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    return std::string(name);
}

std::optional<std::string> FindNameClash(std::string_view name,
                                         const std::vector<std::string>& rows) {
    for (const std::string& row : rows) {
        const std::string listed = RowFileName(row);
        if (name.find(listed) != std::string_view::npos || listed.find(name) != std::string::npos) {
            return listed;
        }
    }
    return std::nullopt;
}

bool NameStorableInSettings(std::string_view name) {
    if (name.empty() || name.find('\0') != std::string_view::npos) return false;
    if (name.find(kColumnSeparator) != std::string_view::npos) return false;
    const std::string gbk = Utf8ToGbk(name);
    if (gbk.size() > kMaxSettingBytes || GbkToUtf8(gbk) != name) return false;
    if (IsIniSpace(gbk.front()) || IsIniSpace(gbk.back())) return false;
    // The reader strips a matching pair of quotes round the value.
    if (gbk.size() >= 2 && IsQuote(gbk.front()) && gbk.back() == gbk.front()) return false;
    return IniDocument::ValidEdit(kSectionPresentations, "file1", gbk);
}

std::string NameClashMessage(std::string_view name, std::string_view listed) {
    return "对不起，该文件名[" + std::string(name) + "]与列表中已存在的文件名[" +
           std::string(listed) + "]存在名称上的匹配关系，会引起误判断，请重新命名该文件名";
}

std::string NameNotStorableMessage(std::string_view fileName) {
    return "文件名[" + std::string(fileName) +
           "]无法保存到设置文件中（含有不支持的字符、首尾空白或引号，或过长），请重新命名该文件";
}

}  // namespace quorrin
