#!/usr/bin/env python3
"""Fails when an #include goes against the direction the folders depend on.

Each top folder may include itself and the folders listed for it, nothing else;
the engine is reached from above only through the runtime factory. Tests,
benchmarks and fuzz targets reach into any folder on purpose and are not
checked. The build reads the same table (--print-allowed) to give each
folder's library an include path holding only the folders it may use.
Usage: check-includes.py [SOURCE_DIR] | --self-test | --print-allowed
"""
import pathlib
import tempfile
import re
import sys

BELOW_WRITERS = {'support', 'objectmodel', 'utilities'}
ALLOWED = {
    'support': set(),
    'objectmodel': {'support'},
    'utilities': {'support', 'objectmodel'},
    'media': BELOW_WRITERS,
    'shapes': BELOW_WRITERS | {'media'},
    'slides': BELOW_WRITERS | {'media', 'shapes'},
    'engine': BELOW_WRITERS,
    'component': BELOW_WRITERS | {'media', 'shapes', 'slides'},
    'cli': BELOW_WRITERS | {'component'},
    'service': BELOW_WRITERS | {'component', 'cli'},
    'com': BELOW_WRITERS | {'component'},
}
# The runtime factory is the one way from the export into the engine; the
# tool's main starts the service as well as the commands.
DOORS = {'component/DefaultRuntime.cpp': {'engine'}, 'cli/main.cpp': {'service'}}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def faults(root):
    for path in sorted(root.rglob('*')):
        if path.suffix not in ('.h', '.cpp') or 'build' in path.relative_to(root).parts[:1]:
            continue
        rel = path.relative_to(root).as_posix()
        folder = rel.split('/', 1)[0]
        if folder not in ALLOWED:
            continue
        for number, line in enumerate(path.read_text(encoding='utf-8', errors='replace').splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or '/' not in match.group(1):
                continue
            target = match.group(1).split('/', 1)[0]
            if target == folder or target not in ALLOWED:
                continue
            if target in ALLOWED[folder] | DOORS.get(rel, set()):
                continue
            yield f'{rel}:{number}: {folder}/ must not include {match.group(1)}'


def allowed_lines():
    """The table for CMake: a folder or a door's file, then what it may include, one entry a line."""
    for name, folders in list(ALLOWED.items()) + list(DOORS.items()):
        yield ' '.join([name] + sorted(folders))


def self_test():
    """The check must catch a fault in each kind of rule, and pass what is allowed."""
    cases = {
        'shapes/A.cpp': ('#include "slides/B.h"', True),
        'support/zip/A.cpp': ('#include "objectmodel/trace/Trace.h"', True),
        'slides/A.cpp': ('#include "engine/EngineRuntime.h"', True),
        'component/PPTInfo.cpp': ('#include "engine/EngineRuntime.h"', True),
        'component/DefaultRuntime.cpp': ('#include "engine/EngineRuntime.h"', False),
        'slides/B.cpp': ('#include "shapes/A.h"', False),
        'tests/A.cpp': ('#include "engine/EngineRuntime.h"', False),
    }
    wrong = []
    for rel, (line, isFault) in cases.items():
        with tempfile.TemporaryDirectory() as folder:
            file = pathlib.Path(folder) / rel
            file.parent.mkdir(parents=True)
            file.write_text(line + '\n')
            if bool(list(faults(pathlib.Path(folder)))) != isFault:
                wrong.append(f'{rel}: {line}: expected {"a fault" if isFault else "none"}')
    # CMake splits each printed line into words: the first names the folder or door, the rest its folders.
    printed = {line.split()[0]: set(line.split()[1:]) for line in allowed_lines()}
    if printed != {**ALLOWED, **DOORS}:
        wrong.append('--print-allowed does not read back as the table')
    for text in wrong:
        print(text)
    return 1 if wrong else 0


def main():
    if sys.argv[1:] == ['--self-test']:
        return self_test()
    if sys.argv[1:] == ['--print-allowed']:
        print('\n'.join(allowed_lines()))
        return 0
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(faults(root))
    for fault in found:
        print(fault)
    if found:
        print(f'{len(found)} include(s) against the direction of the folders', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
