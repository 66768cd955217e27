// The few ways every part of the page finds and makes its elements.

export const byId = (id) => document.getElementById(id);

export function element(tag, properties, children) {
  const node = Object.assign(document.createElement(tag), properties || {});
  node.append(...(children || []));
  return node;
}
