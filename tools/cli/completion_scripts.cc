#include "tools/cli/completion_scripts.h"

#include <sstream>

namespace scenc {

namespace {

// A word inside shell single quotes: ' closes them, so it is written as '\''
// (bash, zsh) or \' (fish, which also takes \\ for a backslash).
std::string tra_apici(const std::string& s, bool fish = false) {
  std::string r;
  for (const char c : s) {
    if (c == '\'')
      r += fish ? "\\'" : "'\\''";
    else if (c == '\\' && fish)
      r += "\\\\";
    else
      r += c;
  }
  return r;
}

std::string unite(const std::vector<std::string>& parole) {
  std::string r;
  for (const std::string& p : parole) r += (r.empty() ? "" : " ") + p;
  return r;
}

std::string nomi_opzioni(const std::vector<OpzioneCompletata>& opzioni) {
  std::vector<std::string> nomi;
  for (const OpzioneCompletata& o : opzioni) nomi.insert(nomi.end(), o.nomi.begin(), o.nomi.end());
  return unite(nomi);
}

// The bash words that complete a word of the kind, as the body of a case.
std::string bash_parola(Parola p, const std::vector<std::string>& scelte) {
  switch (p) {
    case Parola::file: return "_filedir";
    case Parola::cartella: return "_filedir -d";
    case Parola::scelta: return "COMPREPLY=($(compgen -W '" + tra_apici(unite(scelte)) + "' -- \"$cur\"))";
    case Parola::testo:
    case Parola::nessuna: break;
  }
  return ":";
}

// An explanation in zsh's _arguments: brackets and colons would end it.
std::string zsh_spiegazione(const std::string& s) {
  std::string r;
  for (const char c : s) {
    if (c == '[' || c == ']' || c == ':' || c == '\\') r += '\\';
    r += c;
  }
  return tra_apici(r);
}

std::string zsh_azione(Parola p, const std::vector<std::string>& scelte, const std::string& nome) {
  switch (p) {
    case Parola::file: return ":" + nome + ":_files";
    case Parola::cartella: return ":" + nome + ":_directories";
    case Parola::scelta: return ":" + nome + ":(" + tra_apici(unite(scelte)) + ")";
    case Parola::testo: return ":" + nome + ": ";
    case Parola::nessuna: break;
  }
  return "";
}

void zsh_opzioni(std::ostream& out, const std::vector<OpzioneCompletata>& opzioni, const std::string& rientro) {
  for (const OpzioneCompletata& o : opzioni) {
    const std::string esclusi = o.nomi.size() > 1 ? "(" + unite(o.nomi) + ")" : "";
    for (const std::string& n : o.nomi) {
      const std::string senza_trattini = n.substr(n.find_first_not_of('-'));
      out << rientro << "'" << esclusi << n << (o.valore != Parola::nessuna && n.starts_with("--") ? "=" : "") << "["
          << zsh_spiegazione(o.descrizione) << "]" << zsh_azione(o.valore, o.scelte, senza_trattini) << "' \\\n";
    }
  }
}

std::string fish_parola(Parola p, const std::vector<std::string>& scelte) {
  switch (p) {
    case Parola::file: return " -r -F";
    case Parola::cartella: return " -x -a '(__fish_complete_directories (commandline -ct) \"\")'";
    case Parola::scelta: return " -x -a '" + tra_apici(unite(scelte), true) + "'";
    case Parola::testo: return " -x";
    case Parola::nessuna: break;
  }
  return "";
}

void fish_opzioni(std::ostream& out, const std::string& programma, const std::string& condizione,
                  const std::vector<OpzioneCompletata>& opzioni) {
  for (const OpzioneCompletata& o : opzioni) {
    out << "complete -c " << programma << " -n '" << condizione << "'";
    for (const std::string& n : o.nomi) out << (n.starts_with("--") ? " -l " + n.substr(2) : " -s " + n.substr(1));
    out << fish_parola(o.valore, o.scelte) << " -d '" << tra_apici(o.descrizione, true) << "'\n";
  }
}

}  // namespace

std::string script_bash(const TabellaCompletamento& t) {
  std::ostringstream out;
  const std::string& p = t.programma;
  std::vector<std::string> comandi;
  for (const ComandoCompletato& c : t.comandi) comandi.push_back(c.nome);
  out << "# bash completion for " << p << ", written by " << p << " from its own options.\n"
      << "_" << p << "() {\n"
      << "  local cur prev words cword split\n"
      << "  _init_completion -s || return\n"
      << "  local i command=\n"
      << "  for ((i = 1; i < cword; i++)); do\n"
      << "    [[ ${words[i]} == -* ]] || { command=${words[i]}; break; }\n"
      << "  done\n"
      << "  case $command in\n"
      << "    '')\n"
      << "      if [[ $cur == -* ]]; then\n"
      << "        COMPREPLY=($(compgen -W '" << nomi_opzioni(t.globali) << "' -- \"$cur\"))\n"
      << "      else\n"
      << "        COMPREPLY=($(compgen -W '" << unite(comandi) << "' -- \"$cur\"))\n"
      << "      fi\n"
      << "      ;;\n";
  for (const ComandoCompletato& c : t.comandi) {
    out << "    " << c.nome << ")\n"
        << "      case $prev in\n";
    for (const OpzioneCompletata& o : c.opzioni)
      if (o.valore != Parola::nessuna) {
        std::string nomi;
        for (const std::string& n : o.nomi) nomi += (nomi.empty() ? "" : " | ") + n;
        out << "        " << nomi << ") " << bash_parola(o.valore, o.scelte) << "; return ;;\n";
      }
    out << "      esac\n"
        << "      $split && return\n"
        << "      if [[ $cur == -* ]]; then\n"
        << "        COMPREPLY=($(compgen -W '" << nomi_opzioni(c.opzioni) << "' -- \"$cur\"))\n"
        << "      else\n"
        << "        " << bash_parola(c.argomenti, c.scelte) << "\n"
        << "      fi\n"
        << "      ;;\n";
  }
  out << "  esac\n"
      << "} &&\n"
      << "  complete -F _" << p << " " << p << "\n";
  return out.str();
}

std::string script_zsh(const TabellaCompletamento& t) {
  std::ostringstream out;
  const std::string& p = t.programma;
  out << "#compdef " << p << "\n"
      << "# zsh completion for " << p << ", written by " << p << " from its own options.\n\n"
      << "_" << p << "() {\n"
      << "  local curcontext=\"$curcontext\" state state_descr line ret=1\n"
      << "  typeset -A opt_args\n"
      << "  _arguments -C \\\n";
  zsh_opzioni(out, t.globali, "    ");
  out << "    '1:subcommand:->subcommand' \\\n"
      << "    '*::argument:->argument' && ret=0\n"
      << "  case $state in\n"
      << "    subcommand)\n"
      << "      local -a subcommands=(\n";
  for (const ComandoCompletato& c : t.comandi)
    out << "        '" << c.nome << ":" << tra_apici(c.descrizione) << "'\n";
  out << "      )\n"
      << "      _describe -t subcommands '" << p << " subcommand' subcommands && ret=0\n"
      << "      ;;\n"
      << "    argument)\n"
      << "      curcontext=\"${curcontext%:*:*}:" << p << "-$words[1]:\"\n"
      << "      case $words[1] in\n";
  for (const ComandoCompletato& c : t.comandi) {
    out << "        (" << c.nome << ")\n"
        << "          _arguments \\\n";
    zsh_opzioni(out, c.opzioni, "            ");
    if (c.argomenti == Parola::scelta)
      out << "            '1" << zsh_azione(c.argomenti, c.scelte, "subcommand") << "' \\\n";
    else if (c.argomenti != Parola::nessuna)
      out << "            '*" << zsh_azione(c.argomenti, c.scelte, "file") << "' \\\n";
    out << "            && ret=0\n"
        << "          ;;\n";
  }
  out << "      esac\n"
      << "      ;;\n"
      << "  esac\n"
      << "  return ret\n"
      << "}\n\n"
      << "_" << p << " \"$@\"\n";
  return out.str();
}

std::string script_fish(const TabellaCompletamento& t) {
  std::ostringstream out;
  const std::string& p = t.programma;
  out << "# fish completion for " << p << ", written by " << p << " from its own options.\n"
      << "complete -c " << p << " -f\n";
  fish_opzioni(out, p, "__fish_use_subcommand", t.globali);
  for (const ComandoCompletato& c : t.comandi)
    out << "complete -c " << p << " -n __fish_use_subcommand -a " << c.nome << " -d '"
        << tra_apici(c.descrizione, true) << "'\n";
  for (const ComandoCompletato& c : t.comandi) {
    const std::string condizione = "__fish_seen_subcommand_from " + c.nome;
    fish_opzioni(out, p, condizione, c.opzioni);
    if (c.argomenti == Parola::scelta)
      out << "complete -c " << p << " -n '" << condizione << "' -a '" << tra_apici(unite(c.scelte), true) << "'\n";
    else if (c.argomenti == Parola::file || c.argomenti == Parola::cartella)
      out << "complete -c " << p << " -n '" << condizione << "' -F\n";
  }
  return out.str();
}

}  // namespace scenc
