-- nvim_client.lua - Neovim's own LSP client against `formsterm lsp` on a
-- copy of the receiving example (run by nvim_client.sh): diagnostics on
-- opening, a misspelt keyword's diagnostic, hover on VERT= and completion
-- of values and keywords. Leaves Neovim with status 0 when all held.
local formsterm, folder = os.getenv('FORMSTERM'), os.getenv('FOLDER')
local PATIENCE_MS = 30000 -- longest wait for the server's answer

local failures = 0
local function check(ok, what)
  if not ok then
    failures = failures + 1
    io.stderr:write('FAIL: ' .. what .. '\n')
  end
end

local published = 0
local client = vim.lsp.start_client({
  name = 'formsterm',
  cmd = { formsterm, 'lsp', '--debounce-ms', '0' },
  root_dir = folder,
  handlers = {
    ['textDocument/publishDiagnostics'] = function(err, result, ctx, config)
      published = published + 1
      vim.lsp.diagnostic.on_publish_diagnostics(err, result, ctx, config)
    end,
  },
})
vim.cmd('edit ' .. folder .. '/HELP.VAL')
local buf = vim.api.nvim_get_current_buf()
vim.lsp.buf_attach_client(buf, client)

local function line_of(record)
  for n, text in ipairs(vim.api.nvim_buf_get_lines(buf, 0, -1, false)) do
    if text:sub(1, 4) == record then return n - 1, text end
  end
end

check(vim.wait(PATIENCE_MS, function() return published > 0 end), 'diagnostics on opening')
check(#vim.diagnostic.get(buf) == 0, 'the example has no findings')

-- VERF= misspelt in record 0031.
local row, text = line_of('0031')
local col = text:find('VERF=', 1, true) - 1
vim.api.nvim_buf_set_text(buf, row, col, row, col + 5, { 'VREF=' })
local found
check(vim.wait(PATIENCE_MS, function()
  for _, d in ipairs(vim.diagnostic.get(buf)) do
    if d.lnum == row and d.message:find('did you mean VERF=', 1, true) then found = d end
  end
  return found ~= nil
end), 'a diagnostic naming VERF= on the misspelt line')
check(found and found.severity == vim.diagnostic.severity.ERROR, 'the misspelt keyword is an error')

local function request(method, params)
  local answers = vim.lsp.buf_request_sync(buf, method, params, PATIENCE_MS) or {}
  local answer = answers[client] or {}
  check(answer.err == nil, method .. ' answers without error')
  return answer.result
end
local uri = vim.uri_from_bufnr(buf)

row, text = line_of('0032')
local hover = request('textDocument/hover', {
  textDocument = { uri = uri },
  position = { line = row, character = text:find('VERT=', 1, true) },
})
local said = hover and hover.contents and hover.contents.value or ''
local letters = 0
for letter in ('0BeiEIFRST'):gmatch('.') do
  if said:find('\n- `' .. letter .. '` %a') then letters = letters + 1 end
end
check(said:find('**VERT=**', 1, true) and letters == 10, 'hover on VERT= explains each of its letters: ' .. said)

local function labels(result)
  local items, set = result and (result.items or result) or {}, {}
  for _, item in ipairs(items) do set[item.label] = true end
  return set
end
row, text = line_of('0033')
local kinds = labels(request('textDocument/completion', {
  textDocument = { uri = uri },
  position = { line = row, character = text:find('DATE_EURO', 1, true) - 1 },
}))
check(kinds['DATE_EURO'] and kinds['NUM'] and kinds['PASSWORD'], 'completion after INPUT= offers the input kinds')
local words = labels(request('textDocument/completion', {
  textDocument = { uri = uri },
  position = { line = row, character = text:find('HELP=', 1, true) - 1 },
}))
check(words['VERT='] and words['MODE='] and not words['HELP='] and not words['TOE='],
  'completion offers the field keywords not yet in the record')

vim.lsp.stop_client(client)
vim.cmd(failures == 0 and 'qall!' or 'cquit 1')
