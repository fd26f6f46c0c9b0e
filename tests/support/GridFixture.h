#pragma once
// A grid model for the tests of the code that works on it, with rows a test
// addresses the way the window's lists are addressed.
#include "settings/GridModel.h"

#include <array>

namespace pbtest {

// One row of the model, handled like the list that shows it.
class ModelRow {
public:
    ModelRow(pb::GridModel& model, int row) : model_(model), row_(row) {}
    void setCurrentIndex(int position) { model_.select(row_, position); }
    void setEditText(const QString& text) { model_.type(row_, text); }
    int currentIndex() const { return model_.position(row_); }
    QString currentText() const { return model_.text(row_); }
    int count() const { return model_.count(row_); }
    bool isHidden() const { return !model_.shown(row_); }

private:
    pb::GridModel& model_;
    int row_;
};

class GridFixture {
public:
    // Gives row r `options` options "r/0", "r/1", ... and shows or hides it.
    void row(int r, int options, bool shown = true)
    {
        QStringList texts;
        for (int i = 0; i < options; ++i)
            texts << QString("%1/%2").arg(r).arg(i);
        grid.setRow(r, shown, texts);
    }

    // Every row shown with `options` options.
    void allRows(int options)
    {
        for (int r = 0; r < pb::kGridRows; ++r)
            row(r, options);
    }

    ModelRow* combo(int r) { return &rows_[r]; }

    pb::GridModel grid;

private:
    template <std::size_t... I>
    static std::array<ModelRow, pb::kGridRows> rowsOf(pb::GridModel& model, std::index_sequence<I...>)
    {
        return {ModelRow(model, int(I))...};
    }
    std::array<ModelRow, pb::kGridRows> rows_ = rowsOf(grid, std::make_index_sequence<pb::kGridRows>());
};

} // namespace pbtest
