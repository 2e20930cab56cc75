#include "widgets/Caption_Label.h"
#include "widgets/Panel.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The label as it shows over a dark panel, side by side with a plain QLabel made the same way.
struct Labels {
    Panel parent;
    Caption_Label* caption = new Caption_Label(QStringLiteral("1-CAM1"), &parent);
    QLabel* plain = new QLabel(QStringLiteral("1-CAM1"), &parent);

    Labels()
    {
        parent.Set_Color(Qt::black);
        parent.resize(300, 80);
        plain->move(0, 40);
        for (QLabel* label : {static_cast<QLabel*>(caption), plain}) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor(0, 137, 0));
            label->setPalette(palette);
            label->resize(120, 20);
        }
        parent.show();
    }
    QImage Caption_Shot() { return parent.grab(QRect(caption->pos(), caption->size())).toImage(); }
    QImage Plain_Shot() { return parent.grab(QRect(plain->pos(), plain->size())).toImage(); }
};

}  // namespace

// Drawn from its kept pixmap, the label looks as a QLabel does, and a new text, colour or font shows at
// the next paint (a kept pixmap of the old look would be a caption that never changes).
TEST(Caption_Label, KeepsItsDrawingOnlyWhileNothingChanged)
{
    Labels labels;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&labels.parent));
    QCoreApplication::processEvents();
    EXPECT_EQ(labels.Caption_Shot(), labels.Plain_Shot());

    const auto both = [&](auto change) {
        for (QLabel* label : {static_cast<QLabel*>(labels.caption), labels.plain})
            change(label);
        EXPECT_EQ(labels.Caption_Shot(), labels.Plain_Shot());
        QCoreApplication::processEvents();
        EXPECT_EQ(labels.Caption_Shot(), labels.Plain_Shot());
    };
    both([](QLabel* label) { label->setText(QStringLiteral("2-CAM2")); });
    both([](QLabel* label) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(229, 20, 0));
        label->setPalette(palette);
    });
    both([](QLabel* label) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    });
}
