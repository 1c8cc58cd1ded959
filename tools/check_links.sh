#!/usr/bin/env bash
# Checks every Markdown link and image in README.md and docs/*.md: it must lead
# to a file or folder in this repository that git does not ignore, and a
# #anchor must match a heading of that file (GitHub's slugs). Links that leave
# the repository (a scheme such as https: or mailto:, or a bare web address)
# are refused. Prints each bad link and exits 1 if there is any. No network.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - README.md docs/*.md <<'EOF'
import os, re, subprocess, sys
root = os.getcwd()
def text(path, spans=True):  # the file with code blocks (and code spans) blanked, lines kept
    s = re.sub(r'(?ms)^\s*(```|~~~).*?^\s*\1[^\n]*$', lambda m: '\n' * m.group(0).count('\n'), open(path, encoding='utf-8').read())
    return re.sub(r'`[^`\n]*`', '', s) if spans else s
def slugs(path):
    seen, out = {}, set()
    for h in re.findall(r'(?m)^ {0,3}#{1,6}[ \t]+(.*?)[ \t]*#*[ \t]*$', text(path, False)):
        h = re.sub(r'!?\[([^\]]*)\]\([^)]*\)', r'\1', h).replace('*', '').replace('`', '')
        s = re.sub(r'[^\w\- ]', '', h.lower()).replace(' ', '-')
        n = seen.get(s, 0); seen[s] = n + 1
        out.add(s if n == 0 else f'{s}-{n}')
    return out
bad = 0
link = re.compile(r'!?\[[^\]]*\]\(\s*<?([^)\s>]*)>?(?:\s+"[^"]*")?\s*\)|^ {0,3}\[[^\]]+\]:\s*<?(\S+?)>?(?:\s|$)|<((?:https?|ftp|mailto):[^>\s]*)>|(?:src|href)="([^"]*)"|\b((?:https?|ftp)://\S+|www\.\S+)', re.M)
for md in sys.argv[1:]:
    body = text(md)
    for m in link.finditer(body):
        target = next(g for g in m.groups() if g is not None)
        line, why = body.count('\n', 0, m.start()) + 1, None
        path, _, anchor = target.partition('#')
        full = os.path.normpath(os.path.join(os.path.dirname(md), path)) if path else md
        if re.match(r'[a-z][a-z0-9+.-]*:|//|www\.', target, re.I): why = 'points outside the repository'
        elif os.path.isabs(path) or os.path.relpath(full, root).startswith('..'): why = 'leaves the repository'
        elif not os.path.exists(full): why = 'no such file'
        elif subprocess.run(['git', 'check-ignore', '-q', full]).returncode == 0: why = 'ignored by git, not in the repository'
        elif anchor and (not full.endswith('.md') or anchor not in slugs(full)): why = 'no such heading'
        if why: print(f'{md}:{line}: {target}: {why}'); bad += 1
print(f'check_links: {bad} bad link(s)' if bad else 'check_links: every link leads into the repository')
sys.exit(1 if bad else 0)
EOF
