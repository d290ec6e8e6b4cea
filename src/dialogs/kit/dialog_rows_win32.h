// A dialog's controls as rows: each row a kind, a caption and the setting it binds.
// The rows make their controls (numbered from the dialog's first id on, in the order Tab
// visits them), load them from the settings, save them back, and are placed by the stacked
// layout, which measures their texts in the dialog's font at the dialog's DPI. A colour row
// picks its colour, a key row marks a key another program holds, a file row asks the dialog
// for a file, a copy row puts its text on the clipboard; the rest of a dialog needs nothing
// of its own. Rows that bind nothing (a text or path the dialog shows, a button the dialog
// handles, a note) let a dialog without settings be laid out the same way.
#pragma once

#include "texts/texts.h"
#include "win32/unique_handle_win32.h"
#include "dialogs/kit/dialog_layout_win32.h"
#include "dialogs/kit/stacked_layout.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace quorrin {

// What surrounds a settings dialog's stacked rows: the title bar, margins, gaps and the
// frame's buttons under them. A dialog that stacks children of its own uses it too.
StackedFrame DialogRowsFrame();

enum class RowKind {
    Check,     // a check box across the row; binds a bool
    Color,     // caption, swatch, 选择颜色 (the colour picker); binds a colour, 0x00BBGGRR
    Key,       // caption, hot-key field, "已被占用" when another program holds the key; binds a
               // global key (modifiers * 256 + key)
    File,      // caption, the file on two lines, 浏览 (the dialog's chooser); binds a text
    Text,      // caption, one line the dialog shows; binds nothing
    Path,      // caption, a full path on two lines the dialog shows; binds nothing
    Button,    // a button in the fields' column, named by the caption; its clicks go to the
               // dialog (OnControl); binds nothing
    Number,    // caption, a field for a whole number (empty reads as 0); binds an int32_t; its
               // edits go to the dialog too (OnControl)
    CopyText,  // caption, a read-only line of text, 复制 (puts the text on the clipboard,
               // then tells the dialog: OnControl); binds nothing: the dialog shows the
               // text (ShowText)
    Note,      // a text across the rows' width, wrapped over as many lines as it needs;
               // binds nothing
};

// A row that binds nothing, for a dialog that shows rather than edits.
struct ShownRow {
    RowKind kind;
    TextId caption;
};

// The setting a row binds: a field of the settings record the dialog edits, or none.
template <typename Record>
using RowField =
    std::variant<std::monostate, bool Record::*, int32_t Record::*, std::string Record::*>;

template <typename Record>
struct DialogRow {
    RowKind kind;
    TextId caption;
    RowField<Record> field;
};

using RowValue = std::variant<bool, int32_t, std::string>;

// What a file row shows for its setting and the setting a shown text stands for (the label
// is what is saved), and how 浏览 chooses another: the new setting, or nothing to keep the
// one shown. The dialog's window owns the chooser.
struct FileRowChoice {
    std::function<std::wstring(const std::string& setting)> show;
    std::function<std::string(const std::wstring& shown)> setting;
    std::function<std::optional<std::string>(HWND dialog)> choose;
};

class RowSet {
  public:
    RowSet(std::vector<RowKind> kinds, std::vector<TextId> captions, int firstId);
    RowSet(std::span<const ShownRow> rows, int firstId);
    RowSet(const RowSet&) = delete;
    RowSet& operator=(const RowSet&) = delete;

    // Key rows: whether this program holds the key itself, which then is not marked taken.
    void SetKeyHeld(std::function<bool(int32_t)> held) { keyHeld_ = std::move(held); }
    void SetFileChoice(FileRowChoice choice) { fileChoice_ = std::move(choice); }

    // The rows stacked at `dpi` in the dialog's font, 保存 and 取消 under them.
    StackedLayout Stack(int32_t dpi) const;
    // The rows' controls on `dialog`, at the places of `stacked`.
    void Make(DialogLayout& layout, HWND dialog, const StackedLayout& stacked);
    // WM_COMMAND of a row's control: true when the rows handled it (a button row's is the
    // dialog's).
    bool OnCommand(int id, int code, const std::function<bool()>& stillOpen);
    // The brush a swatch is painted with; null for any other control.
    HBRUSH SwatchBrush(HWND control) const;

    size_t Count() const { return kinds_.size(); }
    // The control id of a row's part (kRowCaption, kRowField, kRowAction); 0 for none.
    int PartId(size_t row, size_t part) const;
    // The value a row holds, as loaded, chosen or last taken from its control.
    const RowValue& Value(size_t row) const { return values_[row]; }
    // The value the row's control holds now.
    RowValue Take(size_t row);
    // The text of a copy row; before the dialog's window is made, the text its field is
    // made with, and measured for.
    void ShowText(size_t row, std::string textUtf8) { Show(row, std::move(textUtf8)); }

  protected:
    // Sets the row's value and shows it.
    void Show(size_t row, RowValue value);
    // A bound field's value, and a value into the field of its type.
    static RowValue ValueOf(const bool& field);
    static RowValue ValueOf(const int32_t& field);
    static RowValue ValueOf(const std::string& field);
    static void Put(const RowValue& value, bool& field);
    static void Put(const RowValue& value, int32_t& field);
    static void Put(const RowValue& value, std::string& field);
    // The kinds and captions of a table of rows, in its order.
    template <typename Row>
    static std::vector<RowKind> KindsOf(std::span<const Row> rows) {
        std::vector<RowKind> kinds;
        for (const Row& row : rows) kinds.push_back(row.kind);
        return kinds;
    }
    template <typename Row>
    static std::vector<TextId> CaptionsOf(std::span<const Row> rows) {
        std::vector<TextId> captions;
        for (const Row& row : rows) captions.push_back(row.caption);
        return captions;
    }

  private:
    struct RowState {
        std::array<int, kRowParts> ids{};
        UniqueBrush swatch;
    };

    void ShowTakenKeys();

    std::vector<RowKind> kinds_;
    std::vector<TextId> captions_;
    int firstId_;
    std::vector<RowValue> values_;
    std::vector<RowState> states_;
    HWND dialog_ = nullptr;
    std::function<bool(int32_t)> keyHeld_;
    FileRowChoice fileChoice_;
};

// The rows bound to a settings record.
template <typename Record>
class DialogRows : public RowSet {
  public:
    DialogRows(std::span<const DialogRow<Record>> rows, int firstId)
        : RowSet(KindsOf(rows), CaptionsOf(rows), firstId), rows_(rows) {}

    void Load(const Record& record) {
        for (size_t row = 0; row < rows_.size(); ++row) {
            std::visit(
                [&](auto field) {
                    if constexpr (!std::is_same_v<decltype(field), std::monostate>) {
                        Show(row, ValueOf(record.*field));
                    }
                },
                rows_[row].field);
        }
    }
    void Save(Record& record) {
        for (size_t row = 0; row < rows_.size(); ++row) {
            std::visit(
                [&](auto field) {
                    if constexpr (!std::is_same_v<decltype(field), std::monostate>) {
                        Put(Take(row), record.*field);
                    }
                },
                rows_[row].field);
        }
    }

  private:
    std::span<const DialogRow<Record>> rows_;
};

}  // namespace quorrin
