// The user manual laid out for print: its Markdown in the program's faces, the formats of its
// parts, and its pages on a PDF writer, where no heading, table header or short block of code
// is left alone at the foot of a page.
#pragma once

class QDir;
class QPdfWriter;
class QString;
class QTextBlock;
class QTextDocument;

// The Markdown in the manual's body face.
void CargarManual(QTextDocument& documento, const QString& markdown);
// Each chapter starts a page; code is set in a monospaced face, blocks of it on a light
// ground; screenshots (paths relative to `base`) are loaded and kept within the text width;
// tables get thin rules and a header row. False when a screenshot cannot be read.
bool DarFormato(QTextDocument& documento, const QDir& base);
// Lays the document out in pages on the writer as QTextDocument::print would, then breaks the
// page before a heading that would stay alone at the foot of one (with the one-line
// introduction under it), before a block of code of up to eight lines that would be split,
// and so that a longer one keeps three lines on each side. A table's header row goes with its
// first rows by itself.
void Paginar(QTextDocument& documento, QPdfWriter& pdf);
// The page (from 0) that a block's first line is on once laid out (a table cell's block too).
int Pagina(const QTextDocument& documento, const QTextBlock& bloque);
// Prints the pages Paginar laid out, numbered at the foot on the right, as print does.
void Imprimir(QTextDocument& documento, QPdfWriter& pdf);
