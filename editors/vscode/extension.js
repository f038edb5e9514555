// extension.js - starts `formsterm lsp` for help files in VS Code. The
// server reads the files that fields name from the help file's folder; the
// watcher tells it when one of them changes.
const { workspace } = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function activate() {
  const config = workspace.getConfiguration('formsterm');
  const library = config.get('library');
  const args = [...(library ? ['--library', library] : []), 'lsp'];
  const server = { command: config.get('command'), args };
  client = new LanguageClient('formsterm', 'formsterm help files', server, {
    documentSelector: [{ scheme: 'file', language: 'formshelp' }],
    synchronize: { fileEvents: workspace.createFileSystemWatcher('**/*') },
  });
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
