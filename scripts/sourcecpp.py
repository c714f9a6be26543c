"""Reads C++ sources for the checks in this folder (fonctions-longues,
literaux-partages): the string literals of a file and the function bodies,
with comments, character literals and preprocessor lines left aside.

Not a C++ parser: it knows what this project writes (no raw strings, no
macros that open or close braces)."""

import re

_ECHAPPEMENTS = {'n': '\n', 't': '\t', 'r': '\r', '"': '"', "'": "'", '\\': '\\', '0': '\0'}


def _lire_chaine(texte, i):
    """The literal that starts with the quote at i: its text and the index
    after its closing quote."""
    j = i + 1
    morceaux = []
    while texte[j] != '"':
        if texte[j] == '\\':
            morceaux.append(_ECHAPPEMENTS.get(texte[j + 1], texte[j + 1]))
            j += 2
        else:
            morceaux.append(texte[j])
            j += 1
    return ''.join(morceaux), j + 1


def jetons(texte):
    """The file as (kind, text, line) tokens: 's' a string literal (adjacent
    literals joined, as the compiler joins them), 'w' a word (a name, a
    keyword, a number), 'c' any other character that is not blank.
    Comments, character literals and preprocessor lines are dropped."""
    i, n, ligne = 0, len(texte), 1
    debut_de_ligne = True
    while i < n:
        c = texte[i]
        if c == '\n':
            ligne += 1
            debut_de_ligne = True
            i += 1
            continue
        if c in ' \t\r':
            i += 1
            continue
        if debut_de_ligne and c == '#':
            # A preprocessor line, continued by a backslash.
            while i < n and texte[i] != '\n':
                i += 2 if texte[i] == '\\' and texte[i + 1:i + 2] == '\n' else 1
                if texte[i - 1] == '\n':
                    ligne += 1
            continue
        debut_de_ligne = False
        if texte.startswith('//', i):
            fin = texte.find('\n', i)
            i = n if fin < 0 else fin
            continue
        if texte.startswith('/*', i):
            fin = texte.find('*/', i + 2)
            fin = n if fin < 0 else fin + 2
            ligne += texte.count('\n', i, fin)
            i = fin
            continue
        if c == "'":
            j = i + 1
            while texte[j] != "'":
                j += 2 if texte[j] == '\\' else 1
            i = j + 1
            continue
        if c == '"':
            # A prefix (u8, u, L) was read as letters before: harmless.
            chaine, i = _lire_chaine(texte, i)
            depart = ligne
            # Adjacent literals, across blanks and line breaks, make one.
            while True:
                k = i
                while k < n and texte[k] in ' \t\r\n':
                    k += 1
                if k < n and texte[k] == '"':
                    ligne += texte.count('\n', i, k)
                    suite, i = _lire_chaine(texte, k)
                    chaine += suite
                else:
                    break
            yield 's', chaine, depart
            continue
        if c.isalnum() or c == '_':
            j = i
            while j < n and (texte[j].isalnum() or texte[j] in '_.'):
                j += 1
            yield 'w', texte[i:j], ligne
            i = j
            continue
        yield 'c', c, ligne
        i += 1


def litteraux(chemin):
    with open(chemin, encoding='utf-8') as f:
        return [t for genre, t, _ in jetons(f.read()) if genre == 's']


_PORTEE = {'namespace', 'class', 'struct', 'union', 'enum'}
_ACCES = {'public', 'private', 'protected', 'signals', 'slots', 'Q_SLOTS', 'Q_SIGNALS'}


def _nom(avant):
    """The function's name from the words and signs before its '(':
    "ToriqueCli::executer" from [..., 'ToriqueCli', ':', ':', 'executer']."""
    nom = []
    k = len(avant) - 1
    while k >= 0:
        if avant[k] in ('~',) or (nom and avant[k] == ':' and k >= 1 and avant[k - 1] == ':'):
            nom.insert(0, avant[k] if avant[k] == '~' else '::')
            k -= 1 if avant[k] == '~' else 2
            continue
        if not nom or nom[0] == '::':
            if avant[k][0].isalpha() or avant[k][0] == '_':
                nom.insert(0, avant[k])
                k -= 1
                continue
        break
    return ''.join(nom) or '?'


def fonctions(chemin):
    """The functions defined in a file: (name, first line, last line), the
    first line being that of the signature's start. A lambda or a local
    class belongs to the function that holds it."""
    with open(chemin, encoding='utf-8') as f:
        texte = f.read()
    resultat = []
    # Each open brace: 'portee' (namespace, class body), 'fonction', or
    # 'autre' (an initializer, or any brace inside a function).
    pile = []
    entete, debut_entete = [], None
    ouverte = None  # the function being read: (name, first line, depth)
    for genre, t, ligne in jetons(texte):
        ponctuation = t if genre == 'c' else None
        if ouverte is None and (not pile or pile[-1] == 'portee') and ponctuation not in ('{', '}', ';'):
            if genre == 'c' and t == ':' and entete and entete[-1] in _ACCES:
                entete, debut_entete = [], None
                continue
            if genre == 'w' and t == 'Q_OBJECT':
                continue
            if debut_entete is None:
                debut_entete = ligne
            entete.append('""' if genre == 's' else t)
            continue
        if ponctuation == '{':
            if ouverte is not None or (pile and pile[-1] != 'portee'):
                pile.append('autre')
            else:
                avant = entete[:entete.index('(')] if '(' in entete else None
                if avant is not None and not _PORTEE.intersection(avant) and '=' not in avant:
                    pile.append('fonction')
                    ouverte = (_nom(avant), debut_entete, len(pile))
                elif _PORTEE.intersection(entete) and '=' not in entete:
                    pile.append('portee')
                else:
                    pile.append('autre')
            entete, debut_entete = [], None
        elif ponctuation == '}':
            if pile:
                pile.pop()
                if ouverte is not None and len(pile) + 1 == ouverte[2]:
                    resultat.append((ouverte[0], ouverte[1], ligne))
                    ouverte = None
            entete, debut_entete = [], None
        elif ponctuation == ';':
            entete, debut_entete = [], None
    return resultat
