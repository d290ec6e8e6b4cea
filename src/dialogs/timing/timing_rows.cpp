#include "dialogs/timing/timing_rows.h"

#include "settings/settings_schema.h"
#include "settings/ini_document.h"
#include "settings/time_text.h"
#include "texts/texts.h"
#include "dialogs/common/file_filter.h"

namespace quorrin {

namespace {

constexpr char kColumnSeparator = '\t';

std::string_view YesNo(bool value) { return Text(value ? TextId::RowYes : TextId::RowNo); }

bool IsQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

std::string TimingRowText(const PresentationSlot& row, bool sharedTiming) {
    std::string text = SecondsToTimeText(row.TimeCnt);
    const std::string warning = SecondsToTimeText(row.TimeWarning);
    const std::string name = PresentationNameToShow(row.File, sharedTiming);
    for (const std::string_view column :
         {std::string_view(warning), YesNo(row.Flush), YesNo(row.Close), std::string_view(name)}) {
        text += kColumnSeparator;
        text += column;
    }
    return text;
}

std::string PresentationNameToShow(const std::string& file, bool sharedTiming) {
    if (sharedTiming && file == kAllPresentationsLabel) {
        return std::string(Text(TextId::AllPresentations));
    }
    return file;
}

std::string PresentationNameFromShown(const std::string& shown, bool sharedTiming) {
    if (sharedTiming && shown == Text(TextId::AllPresentations)) return kAllPresentationsLabel;
    return shown;
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
                                         const std::vector<std::string>& listed) {
    for (const std::string& other : listed) {
        if (name.find(other) != std::string_view::npos || other.find(name) != std::string::npos) {
            return other;
        }
    }
    return std::nullopt;
}

bool NameStorableInSettings(std::string_view name) {
    if (name.empty() || name.find('\0') != std::string_view::npos) return false;
    if (name.find(kColumnSeparator) != std::string_view::npos) return false;
    // Any script: a name GBK lacks a character of makes Config.ini UTF-16 at the save.
    if (!ValueFitsSettings(name)) return false;
    // The white space and quotes the reader trims are ASCII, whichever the file's encoding.
    if (IsIniSpace(name.front()) || IsIniSpace(name.back())) return false;
    // The reader strips a matching pair of quotes round the value.
    if (name.size() >= 2 && IsQuote(name.front()) && name.back() == name.front()) return false;
    const IniEdit key = TimingEdit(&PresentationSlot::File, PresentationSlot{}, 1);
    return IniDocument::ValidEdit(key.section, key.key, name, IniCharset::Utf8);
}

std::string NameClashMessage(std::string_view name, std::string_view listed) {
    return FormatText(TextId::EditNameClash, {name, listed});
}

std::string NameNotStorableMessage(std::string_view fileName) {
    return FormatText(TextId::EditNameNotStorable, {fileName});
}

std::string PresentationFilter() {
    return FileFilter(Text(TextId::PresentationsFilter), kPresentationPatterns);
}

}  // namespace quorrin
