#pragma once

#include "platform/rtf/RtfContent.h"

class QTextDocument;

// Fills a QTextDocument from parsed RTF: formats, lists, tables, pictures
// and links. The document's earlier content and its undo history are dropped.
class RtfDocumentBuilder
{
public:
    // Tables wider than this become tab-separated lines: a table is padded
    // to its widest row, so a cap keeps memory linear in the input.
    static constexpr int MaxTableColumns = 64;

    static void build(const RtfContent &content, QTextDocument *document);

    // The name under which a picture's bytes are stored as a document
    // resource; equal bytes give equal names, so copies between documents
    // never clash.
    static QString pictureResourceName(const QByteArray &data, const QByteArray &format);

    // Whether a table is kept as a table (not too wide, not empty).
    static bool keepsAsTable(const RtfTable &table);
};
