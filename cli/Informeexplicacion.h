// What quindel-cli prints to explain an analysis and to propose another grammar: the section
// of --explain, the keys "explanations" and "warnings" of the JSON document, and the text of
// --transform.
#pragma once

#include <string>
#include <vector>

class EscritorJson;
struct Aviso;
struct Explicacion;
struct Propuesta;
struct ResultadoAnalisis;

// The lines of the --explain section (Windows-1252): the explanations, then the warnings, as
// LineasExplicaciones gives them; for a text with reading errors, one line saying why there
// are none.
std::vector<std::string> LineasSeccionExplicaciones(const ResultadoAnalisis& resultado);

// One object per explanation, in the order of the error records: "error" (the record's index
// among the errors), "code", "nonterminal", "terminal" (null but for codes 29 and 31) and
// "productions", then "cycle" for left recursion, or "prefix", "derivations" and "sentences".
void EscribirExplicaciones(EscritorJson& json, const std::vector<Explicacion>& explicaciones);

// One object per warning: "kind" ("unreachable", "unproductive" or "unused-terminal"),
// "symbol" and "line" (the line of the symbol's declaration).
void EscribirAvisos(EscritorJson& json, const std::vector<Aviso>& avisos);

// The proposed grammar with its steps on top as comment lines, every line ended by LF, in
// UTF-8 or, with `crudo`, in its Windows-1252 bytes; empty when there is no proposal.
std::string TextoPropuesta(const Propuesta& propuesta, bool crudo);
