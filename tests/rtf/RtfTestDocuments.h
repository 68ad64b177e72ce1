#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextDocument;

// Helpers shared by the RTF tests.
namespace RtfTestDocuments {

QByteArray fixture(const QString &name);
QStringList fixtureNames();

// One line per block and one per run of equal formatting, with every
// property the editor can set, resolved against the document's default
// font, so two documents that look the same describe the same.
QStringList describe(const QTextDocument &document);

// The document position where text first occurs, or -1.
int positionOf(const QTextDocument &document, const QString &text);

} // namespace RtfTestDocuments
